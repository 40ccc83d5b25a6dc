#pragma once
// A folder held in memory, for tests and for compiling descriptions without
// touching the disk. Single failures can be armed to see how callers react.

#include <map>
#include <optional>
#include <string>

#include "platform/folder.h"

namespace scenario::platform {

class MemoryFolder final : public Folder {
public:
    enum class Operation { remove, read, replace };

    std::string path_of(std::string_view name) const override;
    bool exists(std::string_view name) const override;
    void remove(std::string_view name) override;
    std::string read(std::string_view name) const override;
    void replace_parts(std::string_view name, const Produttore& produce) override;

    // The next operation of this kind on this file fails with a FileError.
    void fail_next(Operation operation, std::string name);

    const std::map<std::string, std::string, std::less<>>& files() const { return files_; }

private:
    void fail_if_armed(Operation operation, std::string_view name, const char* what) const;

    std::map<std::string, std::string, std::less<>> files_;
    mutable std::optional<std::pair<Operation, std::string>> armed_;
};

}  // namespace scenario::platform
