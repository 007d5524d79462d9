#include "platform/terminal.h"

#include <unistd.h>

namespace folvane {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace folvane
