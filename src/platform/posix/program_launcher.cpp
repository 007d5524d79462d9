#include "platform/program_launcher.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace folvane {

namespace {

// The desktops' own system-information programs, those that describe the
// machine first: the order in which they are looked for on the PATH.
constexpr std::array<std::string_view, 4> kSystemInfoPrograms{
    "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"};

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

class PosixLauncher final : public ProgramLauncher {
  public:
    bool FileExists(const std::string& path) const override {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }

    bool Start(const std::string& path) override {
        // Started from a grandchild so that it is nobody's child to wait
        // for; a pipe closed on exec tells whether exec succeeded.
        int report[2];
        if (::pipe2(report, O_CLOEXEC) != 0) return false;
        std::vector<char> program(path.begin(), path.end());
        program.push_back('\0');
        char* const argv[] = {program.data(), nullptr};

        const pid_t child = ::fork();
        if (child < 0) {
            ::close(report[0]);
            ::close(report[1]);
            return false;
        }
        if (child == 0) {
            // Only calls that are safe between fork and exec from here on.
            ::setsid();
            const pid_t grandchild = ::fork();
            if (grandchild < 0) {
                const int error = errno;
                (void)!::write(report[1], &error, sizeof error);
                ::_exit(1);
            }
            if (grandchild == 0) {
                ::execv(argv[0], argv);
                const int error = errno;
                (void)!::write(report[1], &error, sizeof error);
                ::_exit(127);
            }
            ::_exit(0);
        }
        ::close(report[1]);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got = 0;
        do {
            got = ::read(report[0], &error, sizeof error);
        } while (got < 0 && errno == EINTR);
        ::close(report[0]);
        // Nothing read: the pipe closed on a successful exec.
        return got == 0;
    }

    std::optional<std::string> FindSystemInfoProgram() const override {
        const char* searchPath = std::getenv("PATH");
        if (searchPath == nullptr) return std::nullopt;
        const std::string_view folders(searchPath);
        for (const std::string_view name : kSystemInfoPrograms) {
            std::size_t start = 0;
            while (start <= folders.size()) {
                std::size_t end = folders.find(':', start);
                if (end == std::string_view::npos) end = folders.size();
                // An empty entry is the current folder.
                std::string candidate(end == start ? std::string_view(".")
                                                   : folders.substr(start, end - start));
                candidate += '/';
                candidate += name;
                if (IsExecutableFile(candidate)) return candidate;
                start = end + 1;
            }
        }
        return std::nullopt;
    }
};

}  // namespace

ProgramLauncher& SystemLauncher() {
    static PosixLauncher launcher;
    return launcher;
}

}  // namespace folvane
