#pragma once
// The real file system: a folder on disk, and the folder of the running
// program, where every file of a run is written.

#include <filesystem>

#include "platform/folder.h"

namespace scenario::platform {

// The system calls a disk folder makes; the real ones unless a test gives
// its own (POSIX: platform/system_calls.h).
class SystemCalls;

class DiskFolder final : public Folder {
public:
    explicit DiskFolder(std::filesystem::path folder);
    DiskFolder(std::filesystem::path folder, SystemCalls& calls);

    std::string path_of(std::string_view name) const override;
    bool exists(std::string_view name) const override;
    void remove(std::string_view name) override;
    std::string read(std::string_view name) const override;
    void replace_parts(std::string_view name, const Produttore& produce) override;

    const std::filesystem::path& folder() const { return folder_; }

private:
    // The folder and the name joined by one separator: a backslash on
    // Windows, a slash elsewhere.
    std::filesystem::path full_path(std::string_view name) const;
    std::filesystem::path temporary_path(std::string_view name);

    std::filesystem::path folder_;
    SystemCalls* calls_ = nullptr;
    unsigned long temporary_count_ = 0;
};

// The folder that holds the running program file, never the current folder.
std::filesystem::path program_folder();

}  // namespace scenario::platform
