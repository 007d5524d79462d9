#include "platform/terminal.h"

#include <cstdio>

#include <unistd.h>

namespace folvane {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void WriteToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace folvane
