#include <cerrno>
#include <string>
#include <system_error>

#include "platform/disk_folder.h"
#include "platform/system_calls.h"

namespace scenario::platform {
namespace {

std::string system_text(int error) {
    return std::generic_category().message(error);
}

// Owns one open file descriptor, so that every way out closes it.
class Descriptor {
public:
    Descriptor(SystemCalls& calls, int fd) : calls_(calls), fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            calls_.close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now, reporting the error a late write may only show here.
    int close() {
        int result = calls_.close(fd_);
        fd_ = -1;
        return result;
    }

private:
    SystemCalls& calls_;
    int fd_;
};

// The calls of the system itself. It holds nothing, so one is shared by
// every disk folder.
SystemCalls& real_calls() {
    static SystemCalls real;
    return real;
}

// A file that nobody may write: its mode has no write bit at all. Renaming
// over it would succeed (only the folder's permission counts for a rename),
// and so would writing as the superuser, so the mode is looked at directly.
bool read_only(const struct stat& status) {
    return S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

DiskFolder::DiskFolder(std::filesystem::path folder)
    : DiskFolder(std::move(folder), real_calls()) {}

DiskFolder::DiskFolder(std::filesystem::path folder, SystemCalls& calls)
    : folder_(std::move(folder)), calls_(&calls) {}

std::filesystem::path DiskFolder::full_path(std::string_view name) const {
    std::string joined = folder_.native();
    joined += '/';
    joined += name;
    return joined;
}

std::string DiskFolder::path_of(std::string_view name) const {
    return full_path(name).native();
}

bool DiskFolder::exists(std::string_view name) const {
    struct stat status {};
    return calls_->stat(full_path(name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void DiskFolder::remove(std::string_view name) {
    const auto path = full_path(name);
    if (calls_->unlink(path.c_str()) != 0) {
        throw FileError("delete", path.native(), system_text(errno));
    }
}

std::string DiskFolder::read(std::string_view name) const {
    const auto path = full_path(name);
    Descriptor file(*calls_, calls_->open(path.c_str(), O_RDONLY | O_CLOEXEC, 0));
    if (file.get() < 0) {
        throw FileError("open", path.native(), system_text(errno));
    }
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = calls_->read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError("read", path.native(), system_text(errno));
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

std::filesystem::path DiskFolder::temporary_path(std::string_view name) {
    ++temporary_count_;
    std::string hidden(".");
    hidden.append(name).append(".").append(std::to_string(::getpid()));
    hidden.append(".").append(std::to_string(temporary_count_)).append(".tmp");
    return full_path(hidden);
}

void DiskFolder::replace_parts(std::string_view name, const Produttore& produce) {
    const auto target = full_path(name);
    // A read-only target is refused before anything is written.
    struct stat status {};
    if (calls_->stat(target.c_str(), &status) == 0 && read_only(status)) {
        throw FileError("replace", target.native(), system_text(EACCES));
    }
    const auto temporary = temporary_path(name);
    // The new content goes to a file of its own beside the target and takes
    // the target's name only once it is complete.
    Descriptor file(*calls_,
                    calls_->open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        throw FileError("create", target.native(), system_text(errno));
    }
    auto write_part = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t put =
                calls_->write(file.get(), bytes.data() + written, bytes.size() - written);
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw FileError("write", target.native(), system_text(errno));
            }
            // A write that takes nothing would loop for ever: the disk is full.
            if (put == 0) {
                throw FileError("write", target.native(), system_text(ENOSPC));
            }
            written += static_cast<std::size_t>(put);
        }
    };
    // Whatever stops the content half-way, a failed write or the producer's
    // own exception, the temporary file goes and the target stays as it was.
    try {
        produce(write_part);
    } catch (...) {
        file.close();
        calls_->unlink(temporary.c_str());
        throw;
    }
    if (file.close() != 0) {
        const int error = errno;
        calls_->unlink(temporary.c_str());
        throw FileError("write", target.native(), system_text(error));
    }
    if (calls_->rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        calls_->unlink(temporary.c_str());
        throw FileError("replace", target.native(), system_text(error));
    }
}

std::filesystem::path program_folder() {
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw FileError("locate", "/proc/self/exe", error.message());
    }
    return program.parent_path();
}

}  // namespace scenario::platform
