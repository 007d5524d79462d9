#include "platform/file_system.h"

#include <windows.h>

#include "platform/error_reason.h"
#include "platform/windows/wide_text.h"

namespace folvane {

const char kPathSeparator = '\\';

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    // No access asked for: attributes can be read even of a file that is
    // open elsewhere; a folder needs backup semantics to be opened at all.
    const HANDLE handle =
        ::CreateFileW(windows::WideFromUtf8(path).c_str(), 0,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    if (!known) return std::nullopt;
    return FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::string PathAsTheSystemNamesIt(const std::string& path) {
    // Where the last name starts: after the last separator, or after a
    // drive's colon ("C:name").
    std::size_t start = path.find_last_of("\\/");
    start = start == std::string::npos ? 0 : start + 1;
    if (start == 0 && path.size() >= 2 && path[1] == ':') start = 2;
    std::string name = path.substr(start);
    // "a.tif:stream" and "a.tif::$DATA" name (a stream of) the file a.tif.
    name = name.substr(0, name.find(':'));
    // The system drops trailing dots and spaces: "a.tif. " is a.tif.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    std::string named = path.substr(0, start) + name;
    // An existing file named by its short name ("SCANNE~1.TIF") is the
    // file of its long name.
    const std::wstring wide = windows::WideFromUtf8(named);
    const DWORD length = ::GetLongPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) return named;
    std::wstring longPath(length, L'\0');
    const DWORD written = ::GetLongPathNameW(wide.c_str(), longPath.data(), length);
    if (written == 0 || written >= length) return named;
    longPath.resize(written);
    return windows::Utf8FromWide(longPath);
}

namespace {

bool MeansMissing(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NOT_READY:  // a card reader or DVD drive without a medium
            return true;
        default:
            return false;
    }
}

void Describe(PathLook& look, DWORD attributes, bool followLinks) {
    look.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
    const bool link = !followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    look.regular =
        look.kind == PathKind::File && !link && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

}  // namespace

PathLook LookAtPath(const std::string& path, bool followLinks) {
    WaitAsForTesting();
    PathLook look;
    const std::wstring wide = windows::WideFromUtf8(path);
    // One open asking for no access gives the attributes and the identity
    // together; a folder needs backup semantics to be opened at all.
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!followLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    const HANDLE handle =
        ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
        ::CloseHandle(handle);
        if (known) {
            Describe(look, info.dwFileAttributes, followLinks);
            look.identity = FileIdentity{
                info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
            return look;
        }
    } else if (MeansMissing(::GetLastError())) {
        return look;
    }
    // Some files cannot be opened even for their attributes (the page
    // file); the attributes alone still say what they are.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = ::GetLastError();
        if (MeansMissing(error)) return look;
        look.kind = PathKind::Unreadable;
        look.reason = SystemErrorReason(error);
        return look;
    }
    Describe(look, data.dwFileAttributes, followLinks);
    return look;
}

PathKind ExaminePath(const std::string& path, std::string* reason) {
    const DWORD attributes = ::GetFileAttributesW(windows::WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (MeansMissing(error)) return PathKind::Missing;
        if (reason != nullptr) *reason = SystemErrorReason(error);
        return PathKind::Unreadable;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

namespace {

// Calls `take` with the attributes and UTF-8 name of every entry of
// `folder`; false when the folder cannot be listed, with the reason in
// `reason` when given.
template <typename Take>
bool ForEachEntry(const std::string& folder, std::string* reason, Take&& take) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW entry{};
    const HANDLE search =
        ::FindFirstFileExW(windows::WideFromUtf8(pattern).c_str(), FindExInfoBasic, &entry,
                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // A folder without a single entry, as an empty drive root is.
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return true;
        if (reason != nullptr) *reason = SystemErrorReason(error);
        return false;
    }
    do {
        take(entry.dwFileAttributes, windows::Utf8FromWide(entry.cFileName));
    } while (::FindNextFileW(search, &entry));
    const DWORD error = ::GetLastError();
    ::FindClose(search);
    if (error == ERROR_NO_MORE_FILES) return true;
    if (reason != nullptr) *reason = SystemErrorReason(error);
    return false;
}

}  // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string* reason) {
    WaitAsForTesting();
    std::vector<FolderEntry> entries;
    const bool listed = ForEachEntry(folder, reason, [&](DWORD attributes, std::string name) {
        if (name == "." || name == "..") return;
        FolderEntry entry;
        entry.name = std::move(name);
        entry.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        // A reparse point that is a folder (a junction, a folder link) is
        // not entered; a link to a file counts as the file.
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            entry.type = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? EntryType::FolderLink
                                                                          : EntryType::Folder;
        else
            entry.type =
                (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? EntryType::Other : EntryType::File;
        entries.push_back(std::move(entry));
    });
    if (!listed) return std::nullopt;
    return entries;
}

std::optional<std::vector<std::string>> ListTifFileNames(const std::string& folder,
                                                         std::string* reason, bool withPdf) {
    // The search asks for every name and matches ".tif" itself: a "*.tif"
    // pattern would also match the 8.3 short names of "x.tiff" and
    // "x.tif~", which are not TIFF files of ours.
    constexpr DWORD kLeftOut =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::string> names;
    const bool listed = ForEachEntry(folder, reason, [&](DWORD attributes, std::string name) {
        if ((attributes & kLeftOut) == 0 && IsListedFileName(name, withPdf))
            names.push_back(std::move(name));
    });
    if (!listed) return std::nullopt;
    return names;
}

std::optional<std::vector<std::string>> ListSubfolderNames(const std::string& folder,
                                                           std::string* reason, FolderLinks links) {
    // Junctions and folder links are reparse points: left out of a walk, so
    // a link back up the tree cannot make it endless.
    const DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           (links == FolderLinks::LeftOut ? FILE_ATTRIBUTE_REPARSE_POINT : 0);
    std::vector<std::string> names;
    const bool listed = ForEachEntry(folder, reason, [&](DWORD attributes, std::string name) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (attributes & kLeftOut) != 0) return;
        if (name == "." || name == "..") return;
        names.push_back(std::move(name));
    });
    if (!listed) return std::nullopt;
    return names;
}

}  // namespace folvane
