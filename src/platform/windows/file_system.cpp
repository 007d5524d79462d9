#include "platform/file_system.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace folvane {

const char kPathSeparator = '\\';

PathKind ExaminePath(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(windows::WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        switch (::GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_INVALID_NAME:
            case ERROR_INVALID_DRIVE:
            case ERROR_BAD_NETPATH:
            case ERROR_BAD_NET_NAME:
            case ERROR_NOT_READY:  // a card reader or DVD drive without a medium
                return PathKind::Missing;
            default:
                return PathKind::Unreadable;
        }
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

std::optional<std::vector<std::string>> ListTifFileNames(const std::string& folder) {
    // The search asks for every name and matches ".tif" itself: a "*.tif"
    // pattern would also match the 8.3 short names of "x.tiff" and
    // "x.tif~", which are not TIFF files of ours.
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW entry{};
    const HANDLE search =
        ::FindFirstFileExW(windows::WideFromUtf8(pattern).c_str(), FindExInfoBasic, &entry,
                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // A folder without a single entry, as an empty drive root is.
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<std::string>{};
        return std::nullopt;
    }
    constexpr DWORD kLeftOut =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::string> names;
    do {
        if ((entry.dwFileAttributes & kLeftOut) != 0) continue;
        std::string name = windows::Utf8FromWide(entry.cFileName);
        if (HasTifExtensionIgnoringCase(name)) names.push_back(std::move(name));
    } while (::FindNextFileW(search, &entry));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error != ERROR_NO_MORE_FILES) return std::nullopt;
    return names;
}

}  // namespace folvane
