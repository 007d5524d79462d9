#include "platform/storage_kind.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "platform/windows/wide_text.h"

namespace folvane {

namespace {

// Whether the disk of the volume whose root is `root` ("C:\") spins: its
// seek penalty, as the system's defragmenter asks it. A volume that would
// not say counts as Local.
StorageKind LocalDiskKind(const wchar_t* root) {
    std::wstring volume(root);
    while (!volume.empty() && volume.back() == L'\\') volume.pop_back();
    if (volume.size() != 2 || volume[1] != L':') return StorageKind::Local;
    const HANDLE handle =
        ::CreateFileW((L"\\\\.\\" + volume).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return StorageKind::Local;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceSeekPenaltyProperty;
    query.QueryType = PropertyStandardQuery;
    DEVICE_SEEK_PENALTY_DESCRIPTOR penalty{};
    DWORD returned = 0;
    const bool known = ::DeviceIoControl(handle, IOCTL_STORAGE_QUERY_PROPERTY, &query,
                                         sizeof query, &penalty, sizeof penalty, &returned,
                                         nullptr) != 0;
    ::CloseHandle(handle);
    return known && penalty.IncursSeekPenalty ? StorageKind::Rotational : StorageKind::Local;
}

}  // namespace

StorageKind StorageKindOf(const std::string& path) {
    if (IsUncPath(path)) return StorageKind::Network;
    const std::wstring wide = windows::WideFromUtf8(path);
    if (wide.empty()) return StorageKind::Unknown;
    // The root of the volume holding the path: "C:\", a mapped drive's
    // "Z:\", or a folder where a volume is mounted.
    std::vector<wchar_t> root(wide.size() + MAX_PATH + 1);
    if (!::GetVolumePathNameW(wide.c_str(), root.data(), static_cast<DWORD>(root.size())))
        return StorageKind::Unknown;
    if (IsUncPath(windows::Utf8FromWide(root.data()))) return StorageKind::Network;
    const StorageKind kind = StorageKindOfDriveType(::GetDriveTypeW(root.data()));
    return kind == StorageKind::Local ? LocalDiskKind(root.data()) : kind;
}

}  // namespace folvane
