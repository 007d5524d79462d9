#include "platform/output_file.h"

#include "platform/buffered_output.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folvane {

namespace {

class FdStream : public BufferedOutput {
  public:
    FdStream(int fd, std::string name) : BufferedOutput(std::move(name)), fd_(fd) {}

  protected:
    bool WriteThrough(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return Fail(std::strerror(errno));
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    int fd_;
};

class ReplacingFile final : public FdStream {
  public:
    ReplacingFile(int fd, std::string path, std::string tempPath)
        : FdStream(fd, path), path_(std::move(path)), tempPath_(std::move(tempPath)) {}

    ~ReplacingFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(tempPath_.c_str());
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Finish() override {
        if (!FdStream::Finish()) return false;
        // The data must be on disk before the name points at it.
        if (::fsync(fd_) != 0) return Fail(std::strerror(errno));
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) return Fail(std::strerror(errno));
        if (::rename(tempPath_.c_str(), path_.c_str()) != 0) return Fail(std::strerror(errno));
        committed_ = true;
        return true;
    }

  private:
    std::string path_;
    std::string tempPath_;
    bool committed_ = false;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A device or a pipe named as the output (/dev/null, a FIFO) is written to
// in place: renaming a new file over it would destroy it.
class SpecialFile final : public FdStream {
  public:
    SpecialFile(int fd, std::string path) : FdStream(fd, std::move(path)) {}
    ~SpecialFile() override { ::close(fd_); }
    SpecialFile(const SpecialFile&) = delete;
    SpecialFile& operator=(const SpecialFile&) = delete;
};

}  // namespace

OpenedOutput CreateReplacingFile(const std::string& path) {
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) &&
        !S_ISDIR(target.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return {nullptr, path + ": " + std::strerror(errno)};
        return {std::make_unique<SpecialFile>(fd, path), {}};
    }
    const std::string folder = FolderOf(path);
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = folder + "/.folvane-" + std::to_string(::getpid()) + "-" +
                                 std::to_string((seed + attempt) % 1000000007ull) + ".tmp";
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {nullptr, path + ": " + std::strerror(errno)};
        }
        // A replaced file keeps its permissions.
        struct stat existing {};
        if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
            ::fchmod(fd, existing.st_mode & 07777);
        return {std::make_unique<ReplacingFile>(fd, path, temp), {}};
    }
    return {nullptr, path + ": no free temporary name in " + folder};
}

std::unique_ptr<OutputStream> StandardOutput() {
    return std::make_unique<FdStream>(STDOUT_FILENO, "standard output");
}

}  // namespace folvane
