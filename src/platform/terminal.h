// Standard error: whether it is a terminal, for the command line's progress
// line, and writing the program's UTF-8 messages to it.
#pragma once

#include <string_view>

namespace folvane {

bool StandardErrorIsTerminal();

// Writes `text` (UTF-8) to standard error unbuffered. A Windows console gets
// the characters themselves, whatever its code page; a file or pipe gets
// the UTF-8 bytes on every system.
void WriteToStandardError(std::string_view text);

}  // namespace folvane
