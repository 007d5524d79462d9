#include "platform/network_folders.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace folvane {

std::optional<std::string> NetworkBrowseStart() { return std::nullopt; }

std::string AsChosenNetworkFolder(std::string path) {
    std::wstring wide = windows::WideFromUtf8(path);
    if (wide.empty()) return path;
    ::CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return windows::Utf8FromWide(wide);
}

}  // namespace folvane
