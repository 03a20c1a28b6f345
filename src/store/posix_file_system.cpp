// The POSIX file port. Locks are open file description locks (F_OFD_SETLK):
// held per open file like Windows byte-range locks, not per process like
// classic fcntl locks, which vanish when any descriptor of the file closes.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "store/error_codes.h"
#include "store/file_port.h"

namespace tovanel::store {

namespace {

int CodeOf(int error) {
    switch (error) {
        case ENOENT:
            return err::kNotFound;
        case ENAMETOOLONG:
        case ENOTDIR:
        case EISDIR:
        case ELOOP:
            return err::kBadPath;
        case EMFILE:
        case ENFILE:
            return err::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
            return err::kAccessDenied;
        case EBADF:
            return err::kInvalidHandle;
        case EIO:
            return err::kHardware;
        case ENOSPC:
        case EDQUOT:
            return err::kDiskFull;
        case ESPIPE:
        case EINVAL:
            return err::kBeyondEnd;
        default:
            return err::kUnexpected;
    }
}

class PosixFile final : public File {
  public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    int Read(int64_t offset, void* data, int32_t size, int32_t* done) override {
        *done = 0;
        auto* out = static_cast<char*>(data);
        while (*done < size) {
            const ssize_t n = ::pread(fd_, out + *done, size - *done, offset + *done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return CodeOf(errno);
            if (n == 0) break;
            *done += static_cast<int32_t>(n);
        }
        return 0;
    }

    int Write(int64_t offset, const void* data, int32_t size) override {
        const auto* in = static_cast<const char*>(data);
        int32_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd_, in + done, size - done, offset + done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return CodeOf(errno);
            done += static_cast<int32_t>(n);
        }
        return 0;
    }

    int GetSize(int64_t* size) override {
        struct stat st;
        if (::fstat(fd_, &st) != 0) return CodeOf(errno);
        *size = st.st_size;
        return 0;
    }

    int SetSize(int64_t size) override { return ::ftruncate(fd_, size) == 0 ? 0 : CodeOf(errno); }

    int Lock(int64_t offset, int64_t length) override { return Apply(F_WRLCK, offset, length); }
    int Unlock(int64_t offset, int64_t length) override { return Apply(F_UNLCK, offset, length); }

  private:
    int Apply(short type, int64_t offset, int64_t length) {
        struct flock lock = {};
        lock.l_type = type;
        lock.l_whence = SEEK_SET;
        lock.l_start = offset;
        lock.l_len = length;
        if (::fcntl(fd_, F_OFD_SETLK, &lock) == 0) return 0;
        if (errno == EAGAIN || errno == EACCES) return err::kLockViolation;
        return err::kLockFailed;
    }

    int fd_;
};

// Lexical clean-up so that one file has one full path: no "." segments, no
// doubled slashes, ".." taken back where it can be.
std::string Normalize(const std::string& path) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string part = path.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

class PosixFileSystem final : public FileSystem {
  public:
    int Open(const std::string& path, std::unique_ptr<File>* file) override {
        return OpenWith(path, O_RDWR, file);
    }
    int Create(const std::string& path, std::unique_ptr<File>* file) override {
        return OpenWith(path, O_RDWR | O_CREAT | O_TRUNC, file);
    }

    int FullPath(const std::string& name, std::string* full) override {
        std::string joined = name;
        if (name.empty() || name[0] != '/') {
            char cwd[PATH_MAX];
            if (::getcwd(cwd, sizeof cwd) == nullptr) return CodeOf(errno);
            joined = std::string(cwd) + "/" + name;
        }
        *full = Normalize(joined);
        // Same limit as the Windows path buffer: 260 characters with the terminator.
        return full->size() > 259 ? err::kBadPath : 0;
    }

    bool IsLeadByte(unsigned char) const override { return false; }
    bool IsSeparator(char c) const override { return c == '/'; }

    uint32_t TickCount() override {
        struct timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint32_t>(uint64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000);
    }
    void Sleep(uint32_t milliseconds) override { ::usleep(useconds_t(milliseconds) * 1000); }

  private:
    static int OpenWith(const std::string& path, int flags, std::unique_ptr<File>* file) {
        const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
        if (fd < 0) return CodeOf(errno);
        struct stat st;
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
            ::close(fd);
            return err::kAccessDenied;
        }
        *file = std::make_unique<PosixFile>(fd);
        return 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeOsFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace tovanel::store
