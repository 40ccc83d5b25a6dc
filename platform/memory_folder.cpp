#include "platform/memory_folder.h"

namespace scenario::platform {

std::string MemoryFolder::path_of(std::string_view name) const {
    return std::string(name);
}

bool MemoryFolder::exists(std::string_view name) const {
    return files_.find(name) != files_.end();
}

void MemoryFolder::remove(std::string_view name) {
    fail_if_armed(Operation::remove, name, "delete");
    auto found = files_.find(name);
    if (found == files_.end()) {
        throw FileError("delete", std::string(name), "file not found");
    }
    files_.erase(found);
}

std::string MemoryFolder::read(std::string_view name) const {
    fail_if_armed(Operation::read, name, "read");
    auto found = files_.find(name);
    if (found == files_.end()) {
        throw FileError("read", std::string(name), "file not found");
    }
    return found->second;
}

void MemoryFolder::replace_parts(std::string_view name, const Produttore& produce) {
    fail_if_armed(Operation::replace, name, "write");
    // The file changes only once every part is in.
    std::string bytes;
    produce([&bytes](std::string_view parte) { bytes.append(parte); });
    files_.insert_or_assign(std::string(name), std::move(bytes));
}

void MemoryFolder::fail_next(Operation operation, std::string name) {
    armed_.emplace(operation, std::move(name));
}

void MemoryFolder::fail_if_armed(Operation operation, std::string_view name, const char* what) const {
    if (armed_ && armed_->first == operation && armed_->second == name) {
        armed_.reset();
        throw FileError(what, std::string(name), "injected failure");
    }
}

}  // namespace scenario::platform
