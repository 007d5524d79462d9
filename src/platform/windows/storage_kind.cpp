#include "platform/storage_kind.h"

#include <windows.h>

#include <vector>

#include "platform/windows/wide_text.h"

namespace folvane {

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
    return StorageKindOfDriveType(::GetDriveTypeW(root.data()));
}

}  // namespace folvane
