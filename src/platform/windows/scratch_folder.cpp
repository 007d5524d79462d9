#include <windows.h>

#include <vector>

#include "platform/scratch_files.h"

namespace folvane {

namespace {

// The name in the system's code page, as fopen() reads it; nothing when a
// character would be lost on the way.
std::optional<std::string> InSystemCodePage(const std::wstring& wide) {
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(),
                                         static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                        narrow.data(), size, nullptr, &lost);
    if (lost) return std::nullopt;
    return narrow;
}

}  // namespace

std::optional<std::string> ScratchFolderForCRuntime() {
    std::vector<wchar_t> buffer(MAX_PATH + 2);
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) return std::nullopt;
    const std::wstring folder(buffer.data(), length);
    if (auto narrow = InSystemCodePage(folder)) return narrow;
    // A user name the code page cannot hold: the short name is plain ASCII.
    std::vector<wchar_t> shortName(MAX_PATH + 2);
    const DWORD shortLength =
        GetShortPathNameW(folder.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (shortLength == 0 || shortLength >= shortName.size()) return std::nullopt;
    return InSystemCodePage(std::wstring(shortName.data(), shortLength));
}

}  // namespace folvane
