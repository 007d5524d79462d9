// The least a reader of the listed files must ask of the system, on one
// thread: open, fstat, one read of the first 4 KB, close, per file. What
// bench/local_inputs.sh compares folvane-cli's runs with.
//   syscall_floor LIST   (one path a line)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: syscall_floor LIST\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    std::string path;
    char buffer[4096];
    long long bytes = 0;
    while (std::getline(list, path)) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0) {
            const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
            if (n > 0) bytes += n;
        }
        ::close(fd);
    }
    std::printf("%lld\n", bytes);
    return 0;
}
