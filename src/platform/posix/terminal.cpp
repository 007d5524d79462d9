#include "platform/terminal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folvane {

namespace {

// The codeset of the locale the environment names, read without
// setlocale(): the program's own locale stays "C" for every other purpose.
OutputEncoding EnvironmentLocaleEncoding() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* name = std::getenv(variable);
        if (name == nullptr || *name == '\0') continue;
        if (LocaleNameSaysUtf8(name)) return OutputEncoding::Utf8;
        break;
    }
    const locale_t locale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    // A locale the system does not have behaves as "C": not UTF-8.
    if (locale == static_cast<locale_t>(0)) return OutputEncoding::Cp932;
    const OutputEncoding encoding = EncodingForCodeset(::nl_langinfo_l(CODESET, locale));
    ::freelocale(locale);
    return encoding;
}

std::optional<OutputEncoding> forcedErrorEncoding;

}  // namespace

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

bool IsTerminalPath(const std::string& path) {
    // Only a character device is opened to ask; opening a FIFO or a file
    // could wait or change something.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal;
}

std::optional<OutputEncoding> TerminalEncoding(StandardStream stream) {
    const int fd = stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    if (::isatty(fd) != 1) return std::nullopt;
    return EnvironmentLocaleEncoding();
}

std::unique_ptr<OutputStream> TerminalStandardOutput() { return StandardOutput(); }

void SetStandardErrorEncoding(OutputEncoding encoding) { forcedErrorEncoding = encoding; }

void WriteToStandardError(std::string_view text) {
    // Asked once: a progress line writes many times a second.
    static const OutputEncoding chosen =
        TerminalEncoding(StandardStream::Error).value_or(OutputEncoding::Cp932);
    const std::string bytes = Encode(text, forcedErrorEncoding.value_or(chosen));
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

}  // namespace folvane
