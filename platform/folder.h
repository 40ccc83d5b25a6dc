#pragma once
// The files of a run all live in one folder and are named by their bare
// names; the compiler and the writers see the folder only through this
// interface, so that tests can hand them a folder held in memory.

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

    // Gives the file exactly these bytes, whether or not it existed. Either
    // the new content is complete in place or, on failure, the old file (or
    // its absence) is left as it was, with nothing else left behind.
    virtual void replace(std::string_view name, std::string_view bytes) = 0;
};

}  // namespace scenario::platform
