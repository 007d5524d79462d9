// The program keeps paths and texts as UTF-8; Windows takes them as UTF-16.
// Converting only where a Windows function is called keeps the core the
// same on every system.
#pragma once

#include <string>
#include <string_view>

namespace folvane::windows {

// Broken UTF-8 becomes U+FFFD, which no file name holds, so a broken path
// is reported missing instead of naming some other file.
std::wstring WideFromUtf8(std::string_view text);

std::string Utf8FromWide(std::wstring_view text);

// The system's text for an error code from GetLastError(), in UTF-8.
std::string SystemErrorText(unsigned long error);

}  // namespace folvane::windows
