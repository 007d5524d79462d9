#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/buffered_output.h"
#include "platform/error_reason.h"

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
                return FailWithCode(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    int fd_;
};

// Names of temporary files that exist only while a result file is being
// written, removed by the handler of SIGINT, SIGTERM and SIGHUP so that an
// interrupted run leaves nothing behind. Fixed slots of plain characters:
// the handler may touch nothing else.
constexpr int kPendingSlots = 8;
char gPendingNames[kPendingSlots][PATH_MAX];
std::atomic<bool> gPendingUsed[kPendingSlots];
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gPreviousActions[std::size(kCleanedSignals)];

void RemovePendingAndRaise(int signal) {
    for (int i = 0; i < kPendingSlots; ++i)
        if (gPendingUsed[i].load()) ::unlink(gPendingNames[i]);
    // The disposition the program had before, so the signal ends it (or
    // reaches its own handler) as if nothing had been in between.
    for (std::size_t i = 0; i < std::size(kCleanedSignals); ++i)
        if (kCleanedSignals[i] == signal) ::sigaction(signal, &gPreviousActions[i], nullptr);
    ::raise(signal);
}

void InstallCleanupHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < std::size(kCleanedSignals); ++i) {
            struct sigaction action {};
            action.sa_handler = RemovePendingAndRaise;
            sigemptyset(&action.sa_mask);
            ::sigaction(kCleanedSignals[i], &action, &gPreviousActions[i]);
            // A signal the program ignores stays ignored.
            if (gPreviousActions[i].sa_handler == SIG_IGN)
                ::sigaction(kCleanedSignals[i], &gPreviousActions[i], nullptr);
        }
    });
}

std::mutex gPendingMutex;

// A slot for `name`, or -1 when every slot is taken or the name too long
// (the file is then left only to the destructor).
int RegisterPending(const std::string& name) {
    if (name.size() >= PATH_MAX) return -1;
    InstallCleanupHandlers();
    const std::lock_guard lock(gPendingMutex);
    for (int i = 0; i < kPendingSlots; ++i) {
        if (gPendingUsed[i].load()) continue;
        std::memcpy(gPendingNames[i], name.c_str(), name.size() + 1);
        gPendingUsed[i].store(true);
        return i;
    }
    return -1;
}

void UnregisterPending(int slot) {
    if (slot < 0) return;
    const std::lock_guard lock(gPendingMutex);
    gPendingUsed[slot].store(false);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new name beside the target for the finished file before it is renamed
// over the target: rename() replaces atomically, link() would not.
std::string TemporaryName(const std::string& folder, int attempt) {
    static const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return folder + "/.folvane-" + std::to_string(::getpid()) + "-" +
           std::to_string((seed + static_cast<unsigned long long>(attempt)) % 1000000007ull) +
           ".tmp";
}

class ReplacingFile final : public FdStream {
  public:
    // `tempPath` empty: the file has no name yet (O_TMPFILE) and gets one
    // only in Finish().
    ReplacingFile(int fd, std::string path, std::string target, std::string tempPath)
        : FdStream(fd, std::move(path)),
          target_(std::move(target)),
          tempPath_(std::move(tempPath)),
          pendingSlot_(tempPath_.empty() ? -1 : RegisterPending(tempPath_)) {}

    ~ReplacingFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
        UnregisterPending(pendingSlot_);
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Finish() override {
        if (!FdStream::Finish()) return false;
        // The data must be on disk before the name points at it.
        if (::fsync(fd_) != 0) return FailWithCode(errno);
        if (tempPath_.empty() && !LinkUnnamedFile()) return false;
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) return FailWithCode(errno);
        if (::rename(tempPath_.c_str(), target_.c_str()) != 0) return FailWithCode(errno);
        committed_ = true;
        return true;
    }

  private:
    // Gives the complete unnamed file a temporary name beside the target.
    bool LinkUnnamedFile() {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        const std::string folder = FolderOf(target_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = TemporaryName(folder, attempt);
            if (::linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                tempPath_ = name;
                pendingSlot_ = RegisterPending(tempPath_);
                return true;
            }
            if (errno != EEXIST) return FailWithCode(errno);
        }
        return Fail(NoTemporaryNameReason(folder));
    }

    std::string target_;
    std::string tempPath_;
    int pendingSlot_;
    bool committed_ = false;
};

// A character device or a pipe named as the output (/dev/null, a FIFO) is
// written to in place: renaming a new file over it would destroy it.
class SpecialFile final : public FdStream {
  public:
    SpecialFile(int fd, std::string path) : FdStream(fd, std::move(path)) {}
    ~SpecialFile() override { ::close(fd_); }
    SpecialFile(const SpecialFile&) = delete;
    SpecialFile& operator=(const SpecialFile&) = delete;
};

OpenedOutput OpenSpecialFile(const std::string& path) {
    // Without blocking: a FIFO nobody reads would otherwise hold the run
    // before a single file is read. It fails at once instead (ENXIO).
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {nullptr, path + ": " + SystemErrorReason(errno)};
    // Once open, writes wait for a slow reader as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return {std::make_unique<SpecialFile>(fd, path), {}};
}

// The file a link points to, so that replacing it leaves the link a link.
std::string ResolvedTarget(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;  // a dangling link is replaced by the file
    std::string target = resolved;
    std::free(resolved);
    return target;
}

std::atomic<bool> gNamedOnly{false};

bool UnnamedFilesWork() {
    // Naming an unnamed file later goes through /proc.
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available && !gNamedOnly.load();
}

}  // namespace

void UseNamedTemporaryFilesOnly(bool namedOnly) { gNamedOnly.store(namedOnly); }

OpenedOutput CreateReplacingFile(const std::string& path) {
    if (path.empty()) return RefusedOutput(path, kNoOutputNameReason);
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return RefusedOutput(path, kFolderOutputReason);
    if (exists && S_ISBLK(existing.st_mode)) return RefusedOutput(path, kBlockDeviceOutputReason);
    if (exists && !S_ISREG(existing.st_mode)) return OpenSpecialFile(path);

    const std::string target = ResolvedTarget(path);
    const std::string folder = FolderOf(target);
    // A replaced file keeps its permissions, but never set-user-ID,
    // set-group-ID or sticky: the new file is ours, not the old owner's.
    const mode_t mode = exists ? (existing.st_mode & 0777) : 0666;
    const auto opened = [&](int fd, std::string temp) -> OpenedOutput {
        if (exists) ::fchmod(fd, mode);
        return {std::make_unique<ReplacingFile>(fd, path, target, std::move(temp)), {}};
    };
#ifdef O_TMPFILE
    // Without a name until it is complete, so that nothing is left behind
    // however the program ends, SIGKILL included.
    if (UnnamedFilesWork()) {
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) return opened(fd, {});
        // Not every file system has unnamed files; a named one follows.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT)
            return {nullptr, path + ": " + SystemErrorReason(errno)};
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = TemporaryName(folder, attempt);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {nullptr, path + ": " + SystemErrorReason(errno)};
        }
        return opened(fd, temp);
    }
    return {nullptr, path + ": " + NoTemporaryNameReason(folder)};
}

std::unique_ptr<OutputStream> StandardOutput() {
    return std::make_unique<FdStream>(STDOUT_FILENO, kStandardOutputName);
}

}  // namespace folvane
