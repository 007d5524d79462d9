// The reasons the program gives in its lists and messages, in Japanese,
// for the system's error codes. A reason the program has no text for
// keeps the system's own words after the code.
#pragma once

#include <string>

namespace folvane {

// `code` is errno on POSIX systems and GetLastError() on Windows.
std::string SystemErrorReason(unsigned long code);

// A path names something other than a plain file (a folder, device, pipe).
inline constexpr const char* kNotRegularFileReason = "通常のファイルではありません";

}  // namespace folvane
