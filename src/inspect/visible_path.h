// Paths as reports and messages show them. A file name may hold any
// character but "/" (on Windows fewer), control characters included: a
// name holding CR LF and "総合計999 枚" would otherwise forge a line of the
// report, a TAB would split the path from its reason in the list of files
// with errors, and an ESC sequence would reach the terminal.
#pragma once

#include <string>
#include <string_view>

namespace folvane {

// `text` with every control character shown as a visible escape: "\t",
// "\n", "\r", the other C0 characters and DEL as "\x1b"-style escapes (two
// hexadecimal digits), the C1 characters, the line and paragraph
// separators and the bidirectional overrides and isolates as "\u0085"-style
// escapes. Everything else, a backslash included, is kept as it is.
std::string VisiblePath(std::string_view text);

}  // namespace folvane
