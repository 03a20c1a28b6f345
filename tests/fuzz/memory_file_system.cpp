#include "memory_file_system.h"

#include <algorithm>
#include <cstring>

#include "store/error_codes.h"

namespace tovanel::fuzz {
namespace {

namespace err = store::err;

std::string Key(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '\\') c = '/';
    }
    return key;
}

bool Overlaps(const MemoryFileSystem::Lock& lock, int64_t offset, int64_t length) {
    return offset < lock.offset + lock.length && lock.offset < offset + length;
}

class MemoryFile : public store::File {
  public:
    explicit MemoryFile(std::shared_ptr<MemoryFileSystem::Node> node) : node_(std::move(node)) {}
    ~MemoryFile() override {
        auto& locks = node_->locks;
        for (size_t i = locks.size(); i-- > 0;) {
            if (locks[i].owner == this) locks.erase(locks.begin() + static_cast<long>(i));
        }
    }

    int Read(int64_t offset, void* data, int32_t size, int32_t* done) override {
        *done = 0;
        if (offset < 0 || size < 0) return err::kBeyondEnd;
        const int64_t length = static_cast<int64_t>(node_->data.size());
        if (offset >= length) return err::kOk;
        const int64_t n = std::min<int64_t>(size, length - offset);
        std::memcpy(data, node_->data.data() + offset, static_cast<size_t>(n));
        *done = static_cast<int32_t>(n);
        return err::kOk;
    }

    int Write(int64_t offset, const void* data, int32_t size) override {
        if (offset < 0 || size < 0) return err::kBeyondEnd;
        if (offset + size > MemoryFileSystem::kMaxFileSize) return err::kDiskFull;
        if (static_cast<size_t>(offset + size) > node_->data.size()) {
            node_->data.resize(static_cast<size_t>(offset + size));
        }
        if (size > 0) std::memcpy(node_->data.data() + offset, data, static_cast<size_t>(size));
        return err::kOk;
    }

    int GetSize(int64_t* size) override {
        *size = static_cast<int64_t>(node_->data.size());
        return err::kOk;
    }

    int SetSize(int64_t size) override {
        if (size < 0) return err::kBeyondEnd;
        if (size > MemoryFileSystem::kMaxFileSize) return err::kDiskFull;
        node_->data.resize(static_cast<size_t>(size));
        return err::kOk;
    }

    int Lock(int64_t offset, int64_t length) override {
        if (offset < 0 || length <= 0) return err::kLockFailed;
        for (const auto& lock : node_->locks) {
            if (lock.owner != this && Overlaps(lock, offset, length)) return err::kLockViolation;
        }
        node_->locks.push_back({this, offset, length});
        return err::kOk;
    }

    int Unlock(int64_t offset, int64_t length) override {
        auto& locks = node_->locks;
        for (size_t i = 0; i < locks.size(); ++i) {
            if (locks[i].owner == this && locks[i].offset == offset && locks[i].length == length) {
                locks.erase(locks.begin() + static_cast<long>(i));
                return err::kOk;
            }
        }
        return err::kNotLocked;
    }

  private:
    std::shared_ptr<MemoryFileSystem::Node> node_;
};

}  // namespace

void MemoryFileSystem::SetFile(const std::string& path, std::vector<uint8_t> bytes) {
    auto node = std::make_shared<Node>();
    node->data = std::move(bytes);
    files_[Key(path)] = std::move(node);
}

bool MemoryFileSystem::GetFile(const std::string& path, std::vector<uint8_t>* bytes) const {
    const auto it = files_.find(Key(path));
    if (it == files_.end()) return false;
    *bytes = it->second->data;
    return true;
}

int MemoryFileSystem::Open(const std::string& path, std::unique_ptr<store::File>* file) {
    const auto it = files_.find(Key(path));
    if (it == files_.end()) return err::kNotFound;
    *file = std::make_unique<MemoryFile>(it->second);
    return err::kOk;
}

int MemoryFileSystem::Create(const std::string& path, std::unique_ptr<store::File>* file) {
    auto& node = files_[Key(path)];
    if (!node) node = std::make_shared<Node>();
    node->data.clear();
    *file = std::make_unique<MemoryFile>(node);
    return err::kOk;
}

int MemoryFileSystem::FullPath(const std::string& name, std::string* full) {
    if (name.empty()) return err::kNotFound;
    *full = IsSeparator(name[0]) ? name : "/mem/" + name;
    return full->size() > 259 ? err::kBadPath : err::kOk;
}

}  // namespace tovanel::fuzz
