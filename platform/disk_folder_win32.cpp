#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/disk_folder.h"
#include "platform/wide_text.h"

namespace scenario::platform {
namespace {

// Owns one open file handle, so that every way out closes it.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (is_open()) {
            CloseHandle(handle_);
        }
    }
    bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now, reporting the error a late write may only show here.
    bool close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Large contents are written and read in pieces a DWORD can count.
constexpr std::size_t piece = 1 << 20;

}  // namespace

DiskFolder::DiskFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path DiskFolder::full_path(std::string_view name) const {
    std::wstring joined = folder_.native();
    joined += L'\\';
    joined += in_wide(name);
    return joined;
}

std::string DiskFolder::path_of(std::string_view name) const {
    return da_wide(full_path(name).native());
}

bool DiskFolder::exists(std::string_view name) const {
    const DWORD attributes = GetFileAttributesW(full_path(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void DiskFolder::remove(std::string_view name) {
    const auto path = full_path(name);
    if (!DeleteFileW(path.c_str())) {
        throw FileError("delete", path_of(name), testo_di_sistema(GetLastError()));
    }
}

std::string DiskFolder::read(std::string_view name) const {
    const auto path = full_path(name);
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.is_open()) {
        throw FileError("open", path_of(name), testo_di_sistema(GetLastError()));
    }
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            throw FileError("read", path_of(name), testo_di_sistema(GetLastError()));
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, got);
    }
}

std::filesystem::path DiskFolder::temporary_path(std::string_view name) {
    ++temporary_count_;
    std::string hidden(".");
    hidden.append(name).append(".").append(std::to_string(GetCurrentProcessId()));
    hidden.append(".").append(std::to_string(temporary_count_)).append(".tmp");
    return full_path(hidden);
}

void DiskFolder::replace_parts(std::string_view name, const Produttore& produce) {
    const auto target = full_path(name);
    const auto temporary = temporary_path(name);
    // The new content goes to a file of its own beside the target and takes
    // the target's name only once it is complete.
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.is_open()) {
        throw FileError("create", path_of(name), testo_di_sistema(GetLastError()));
    }
    auto write_part = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const auto size = static_cast<DWORD>(std::min(piece, bytes.size() - written));
            DWORD put = 0;
            if (!WriteFile(file.get(), bytes.data() + written, size, &put, nullptr)) {
                const DWORD error = GetLastError();
                throw FileError("write", path_of(name), testo_di_sistema(error));
            }
            written += put;
        }
    };
    auto give_up = [&](const char* operation, DWORD error) {
        if (file.is_open()) {
            file.close();
        }
        DeleteFileW(temporary.c_str());
        throw FileError(operation, path_of(name), testo_di_sistema(error));
    };
    // Whatever stops the content half-way, a failed write or the producer's
    // own exception, the temporary file goes and the target stays as it was.
    try {
        produce(write_part);
    } catch (...) {
        file.close();
        DeleteFileW(temporary.c_str());
        throw;
    }
    if (!file.close()) {
        give_up("write", GetLastError());
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        give_up("replace", GetLastError());
    }
}

std::filesystem::path program_folder() {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(program.size());
        const DWORD length = GetModuleFileNameW(nullptr, program.data(), size);
        if (length == 0) {
            throw FileError("locate", "program file", testo_di_sistema(GetLastError()));
        }
        if (length < size) {
            program.resize(length);
            return std::filesystem::path(program).parent_path();
        }
        // Cut short: try again with more room.
        program.resize(program.size() * 2);
    }
}

}  // namespace scenario::platform
