#pragma once
// The files of a run all live in one folder and are named by their bare
// names; the compiler and the writers see the folder only through this
// interface, so that tests can hand them a folder held in memory.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenario::platform {

// A failure of the file system itself (a file that cannot be created,
// written, renamed or deleted): what was being done, on which file, and the
// system's own words for it.
class FileError : public std::runtime_error {
public:
    FileError(std::string operation, std::string path, std::string reason);

    const std::string& operation() const { return operation_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string operation_;
    std::string path_;
    std::string reason_;
};

class Folder {
public:
    virtual ~Folder() = default;

    // The full name of a file of this folder, as reports show it.
    virtual std::string path_of(std::string_view name) const = 0;

    virtual bool exists(std::string_view name) const = 0;

    // Deletes the file; a missing file is a failure.
    virtual void remove(std::string_view name) = 0;

    // The whole content of the file.
    virtual std::string read(std::string_view name) const = 0;

    // Takes the parts of a file's content, in order.
    using Parte = std::function<void(std::string_view)>;
    // Makes a file's content: hands every part of it to the `Parte` it is
    // given, in order. A part need only live until that call returns.
    using Produttore = std::function<void(const Parte&)>;

    // Gives the file exactly the bytes `produce` hands over, whether or not
    // it existed, so that a large content need never be whole in memory.
    // Either the new content is complete in place or, on failure (also an
    // exception thrown by `produce`), the old file (or its absence) is left
    // as it was, with nothing else left behind.
    virtual void replace_parts(std::string_view name, const Produttore& produce) = 0;

    // The same with the whole content at once.
    void replace(std::string_view name, std::string_view bytes) {
        replace_parts(name, [bytes](const Parte& parte) { parte(bytes); });
    }
};

}  // namespace scenario::platform
