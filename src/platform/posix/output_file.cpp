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
#include <optional>
#include <string_view>

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
// written, removed by the handler of every signal that ends the program by
// default, so that an interrupted run leaves nothing behind. Fixed slots
// of plain characters: the handler may touch nothing else.
constexpr int kPendingSlots = 8;
char gPendingNames[kPendingSlots][PATH_MAX];
std::atomic<bool> gPendingUsed[kPendingSlots];
constexpr int kCleanedSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1,
    SIGSEGV,   SIGUSR2, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};
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
            // A signal the program ignores or handles itself stays so.
            if (gPreviousActions[i].sa_handler != SIG_DFL)
                ::sigaction(kCleanedSignals[i], &gPreviousActions[i], nullptr);
        }
    });
}

// While any result file is pending, SIGPIPE is ignored: a closed pipe on
// standard error (`folvane-cli -o r.txt dir 2>&1 | head -1`) must not end a
// run that writes to a file. The write to the pipe fails instead, and the
// run goes on.
std::mutex gPipeMutex;
int gPendingFiles = 0;
struct sigaction gPipeAction;

void BeginPendingFile() {
    const std::lock_guard lock(gPipeMutex);
    if (gPendingFiles++ > 0) return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &gPipeAction);
}

void EndPendingFile() {
    const std::lock_guard lock(gPipeMutex);
    if (--gPendingFiles > 0) return;
    ::sigaction(SIGPIPE, &gPipeAction, nullptr);
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
          pendingSlot_(tempPath_.empty() ? -1 : RegisterPending(tempPath_)) {
        BeginPendingFile();
    }

    ~ReplacingFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
        UnregisterPending(pendingSlot_);
        EndPendingFile();
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

// A character device or a pipe named as the output (/dev/null, a FIFO), a
// descriptor of this program (/dev/stdout), or a bind-mounted file is
// written to in place: renaming a new file over it would destroy it, or
// fail only at the end of the run.
class InPlaceFile final : public FdStream {
  public:
    // `truncate`: the file's old bytes go when the first bytes are written
    // (a bind-mounted file, not replaced atomically).
    InPlaceFile(int fd, std::string path, bool truncate)
        : FdStream(fd, std::move(path)), truncate_(truncate) {}
    ~InPlaceFile() override { ::close(fd_); }
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;

    bool Finish() override {
        if (!FdStream::Finish()) return false;
        if (truncate_ && ::fsync(fd_) != 0) return FailWithCode(errno);
        return true;
    }

  protected:
    bool WriteThrough(std::string_view bytes) override {
        if (truncate_ && !truncated_) {
            if (::ftruncate(fd_, 0) != 0) return FailWithCode(errno);
            truncated_ = true;
        }
        return FdStream::WriteThrough(bytes);
    }

  private:
    bool truncate_;
    bool truncated_ = false;
};

OpenedOutput SystemError(const std::string& path, int error) {
    return {nullptr, path + ": " + SystemErrorReason(static_cast<unsigned long>(error))};
}

// A descriptor named through /proc/PID/fd/N, /proc/self/fd/N,
// /proc/thread-self/fd/N or /dev/fd/N (/dev/stdout and /dev/stderr are
// links to those).
struct NamedDescriptor {
    bool ours = false;  // a descriptor of this program
    int fd = -1;
};

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether `folder` (a real path, links resolved) is a descriptor folder of
// /proc, and whether of this program.
std::optional<bool> DescriptorFolder(std::string_view folder) {
    if (!folder.starts_with("/proc/") || !folder.ends_with("/fd")) return std::nullopt;
    std::string_view middle = folder.substr(6, folder.size() - 9);
    // "PID" or "PID/task/TID"
    const auto slash = middle.find('/');
    const std::string_view pid = middle.substr(0, slash);
    if (slash != std::string_view::npos) {
        const std::string_view rest = middle.substr(slash);
        if (!rest.starts_with("/task/") || !AllDigits(rest.substr(6))) return std::nullopt;
    }
    if (!AllDigits(pid)) return std::nullopt;
    return pid == std::to_string(::getpid());
}

// Follows the links of `path` one at a time, looking for a name in a
// descriptor folder: such a link is not a file's name but an open
// descriptor's, and what it points to may have no name at all, or one
// that is not the file (a pipe, a deleted file).
std::optional<NamedDescriptor> DescriptorBehind(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const auto slash = current.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : current.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? current : current.substr(slash + 1);
        if (name.empty() || name == "." || name == "..") return std::nullopt;
        char* resolved = ::realpath(folder.c_str(), nullptr);
        if (resolved == nullptr) return std::nullopt;
        const std::string realFolder = resolved;
        std::free(resolved);
        if (const auto ours = DescriptorFolder(realFolder); ours && AllDigits(name)) {
            if (name.size() > 9) return std::nullopt;
            return NamedDescriptor{*ours, std::stoi(name)};
        }
        const std::string entry = (realFolder == "/" ? "" : realFolder) + "/" + name;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(entry.c_str(), target, sizeof target - 1);
        if (length < 0) return std::nullopt;  // not a link
        target[length] = '\0';
        current = target[0] == '/' ? std::string(target) : realFolder + "/" + target;
    }
    return std::nullopt;
}

// Writes through a descriptor of this program, as `-o -` writes through
// standard output: at its position, in its mode (appending after `>>`).
OpenedOutput WriteThroughDescriptor(const std::string& path, int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return SystemError(path, errno);
    if ((flags & O_ACCMODE) == O_RDONLY) return SystemError(path, EBADF);
    // Judged as any other output: "3<>/dev/sda" is still a disk.
    struct stat info {};
    if (::fstat(fd, &info) != 0) return SystemError(path, errno);
    if (S_ISDIR(info.st_mode)) return RefusedOutput(path, kFolderOutputReason);
    if (S_ISBLK(info.st_mode)) return RefusedOutput(path, kBlockDeviceOutputReason);
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) return SystemError(path, errno);
    return {std::make_unique<InPlaceFile>(copy, path, false), {}};
}

// Reopens what `probe` (an O_PATH descriptor) refers to for writing, and
// checks that it is still the file judged.
int ReopenForWriting(int probe, const struct stat& judged, int extraFlags) {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", probe);
    const int fd = ::open(self, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | extraFlags);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_dev != judged.st_dev || info.st_ino != judged.st_ino) {
        ::close(fd);
        errno = ESTALE;
        return -1;
    }
    // Once open, writes wait for a slow reader as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

// A file mounted over another (a bind mount of a single file): renaming a
// new file over its name fails with EBUSY. Systems that cannot say (Linux
// before 5.8) are taken to have none.
bool IsMountPoint(int fd) {
#ifdef STATX_BASIC_STATS
    struct statx info {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &info) != 0) return false;
    return (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
#else
    (void)fd;
    return false;
#endif
}

// In a folder with the sticky bit (/tmp, shared drop folders) only the
// owner of an entry, of the folder, or the superuser may rename over it.
bool StickyFolderForbidsReplacing(const std::string& folder, const struct stat& file) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || (info.st_mode & S_ISVTX) == 0) return false;
    const uid_t user = ::geteuid();
    return user != 0 && file.st_uid != user && info.st_uid != user;
}

constexpr const char* kStickyFolderReason =
    "スティッキービットのあるフォルダの、他のユーザーのファイルは置き換えられません";

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

// The name of the file `probe` was opened on, links resolved: the name
// the new file takes, whatever the path names by now.
std::string JudgedFileName(int probe, const struct stat& judged, const std::string& path) {
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", probe);
    char name[PATH_MAX];
    const ssize_t length = ::readlink(self, name, sizeof name - 1);
    // Without /proc, or with the file's last name gone, as the path says.
    if (length <= 0 || name[0] != '/' || judged.st_nlink == 0) return ResolvedTarget(path);
    return std::string(name, static_cast<std::size_t>(length));
}

std::atomic<bool> gNamedOnly{false};

bool UnnamedFilesWork() {
    // Naming an unnamed file later goes through /proc.
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available && !gNamedOnly.load();
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// A new file beside `target` that replaces it once complete.
OpenedOutput CreateReplacement(const std::string& path, const std::string& target,
                               const struct stat* existing) {
    const std::string folder = FolderOf(target);
    // A replaced file keeps its permissions, but never set-user-ID,
    // set-group-ID or sticky: the new file is ours, not the old owner's.
    const mode_t mode = existing != nullptr ? (existing->st_mode & 0777) : 0666;
    const auto opened = [&](int fd, std::string temp) -> OpenedOutput {
        if (existing != nullptr) ::fchmod(fd, mode);
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
            return SystemError(path, errno);
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = TemporaryName(folder, attempt);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return SystemError(path, errno);
        }
        return opened(fd, temp);
    }
    return {nullptr, path + ": " + NoTemporaryNameReason(folder)};
}

}  // namespace

void UseNamedTemporaryFilesOnly(bool namedOnly) { gNamedOnly.store(namedOnly); }

OpenedOutput CreateReplacingFile(const std::string& path) {
    if (path.empty()) return RefusedOutput(path, kNoOutputNameReason);
    const std::optional<NamedDescriptor> descriptor = DescriptorBehind(path);
    if (descriptor && descriptor->ours) return WriteThroughDescriptor(path, descriptor->fd);

    // What the path names is opened first, without opening a device or a
    // pipe itself (a FIFO would wait, a tape rewind), and judged by what
    // that descriptor is: whatever the path names a moment later, nothing
    // but what was judged is written to.
    const Descriptor probe(::open(path.c_str(), O_PATH | O_CLOEXEC));
    if (probe.get() < 0) {
        if (errno == ENOENT) return CreateReplacement(path, ResolvedTarget(path), nullptr);
        return SystemError(path, errno);
    }
    struct stat info {};
    if (::fstat(probe.get(), &info) != 0) return SystemError(path, errno);
    if (S_ISDIR(info.st_mode)) return RefusedOutput(path, kFolderOutputReason);
    if (S_ISBLK(info.st_mode)) return RefusedOutput(path, kBlockDeviceOutputReason);
    if (!S_ISREG(info.st_mode)) {
        // A FIFO nobody reads fails at once (ENXIO) instead of holding the
        // run before a single file is read.
        const int fd = ReopenForWriting(probe.get(), info, 0);
        if (fd < 0) return SystemError(path, errno);
        return {std::make_unique<InPlaceFile>(fd, path, false), {}};
    }
    if (descriptor) {
        // Another program's open file: added to, never replaced.
        const int fd = ReopenForWriting(probe.get(), info, O_APPEND);
        if (fd < 0) return SystemError(path, errno);
        return {std::make_unique<InPlaceFile>(fd, path, false), {}};
    }
    if (IsMountPoint(probe.get())) {
        // Its name cannot be renamed over: written in place, if the user
        // may write it, and checked now rather than at the end of the run.
        const int fd = ReopenForWriting(probe.get(), info, 0);
        if (fd < 0) return SystemError(path, errno);
        return {std::make_unique<InPlaceFile>(fd, path, true), {}};
    }
    const std::string target = JudgedFileName(probe.get(), info, path);
    if (StickyFolderForbidsReplacing(FolderOf(target), info))
        return {nullptr, path + ": " + kStickyFolderReason};
    return CreateReplacement(path, target, &info);
}

std::unique_ptr<OutputStream> StandardOutput() {
    return std::make_unique<FdStream>(STDOUT_FILENO, kStandardOutputName);
}

}  // namespace folvane
