#include "platform/file_reader.h"

#include "platform/error_reason.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folvane {

namespace {

class PosixFile final : public ByteSource {
  public:
    PosixFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::uint64_t Size() const override { return size_; }

    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        std::size_t done = 0;
        while (done < dest.size()) {
            const ssize_t n = ::pread(fd_, dest.data() + done, dest.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return std::nullopt;
            }
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    std::string ErrorReason() const override {
        return SystemErrorReason(static_cast<unsigned long>(error_));
    }

  private:
    int fd_;
    std::uint64_t size_;
    int error_ = 0;
};

}  // namespace

OpenedFile OpenFileForReading(const std::string& path) {
    // Non-blocking so that a FIFO with a .tif name cannot stall a run.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {nullptr, SystemErrorReason(errno)};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return {nullptr, SystemErrorReason(error)};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return {nullptr, kNotRegularFileReason};
    }
    return {std::make_unique<PosixFile>(fd, static_cast<std::uint64_t>(info.st_size)), {}};
}

WholeFile ReadWholeFile(const std::string& path) {
    const bool standardInput = path == "-";
    // Blocking: a list is often a pipe, `<(find ...)`, that is still being written.
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {{}, SystemErrorReason(errno)};
    WholeFile whole;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        whole.error = SystemErrorReason(errno);
    } else if (S_ISDIR(info.st_mode)) {
        whole.error = kFolderReason;
    } else {
        char buffer[65536];
        while (true) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                whole.error = SystemErrorReason(errno);
                break;
            }
            if (n == 0) break;
            whole.bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    if (!standardInput) ::close(fd);
    if (!whole.ok()) whole.bytes.clear();
    return whole;
}

}  // namespace folvane
