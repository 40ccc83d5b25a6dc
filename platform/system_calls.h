#pragma once
// The few system calls the disk folder makes on POSIX systems, behind one
// small interface: the program uses the real calls, and tests put calls in
// their place that fail the way a disk can (a short write, a full disk, a
// rename or a delete refused, a folder that cannot be written).

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>

namespace scenario::platform {

class SystemCalls {
public:
    virtual ~SystemCalls() = default;

    // Each does what the system call of the same name does, with the same
    // result and `errno`.
    virtual int open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
    virtual ssize_t read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }
    virtual ssize_t write(int fd, const void* bytes, size_t size) {
        return ::write(fd, bytes, size);
    }
    virtual int close(int fd) { return ::close(fd); }
    virtual int rename(const char* from, const char* to) { return std::rename(from, to); }
    virtual int unlink(const char* path) { return ::unlink(path); }
    virtual int stat(const char* path, struct stat* status) { return ::stat(path, status); }
};

}  // namespace scenario::platform
