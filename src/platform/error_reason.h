// The reasons the program gives in its lists and messages, in Japanese,
// for the system's error codes: why an input could not be read and why a
// result file could not be written, in the same words in the list, on
// folvane-cli's standard error and in the window. A reason the program has
// no text for keeps the system's own words after the code.
#pragma once

#include <string>

namespace folvane {

// `code` is errno on POSIX systems and GetLastError() on Windows.
std::string SystemErrorReason(unsigned long code);

// A path names something other than a plain file (a folder, device, pipe).
inline constexpr const char* kNotRegularFileReason = "通常のファイルではありません";

// A path names a folder where a file was expected.
inline constexpr const char* kFolderReason = "フォルダです";

// Standard output where a message names the output it could not write.
inline constexpr const char* kStandardOutputName = "標準出力";

// Every temporary name beside a result file was taken.
inline std::string NoTemporaryNameReason(const std::string& folder) {
    return folder + " に一時ファイルの名前を付けられません";
}

}  // namespace folvane
