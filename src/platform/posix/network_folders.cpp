#include "platform/network_folders.h"

#include <cstdlib>

#include "platform/file_system.h"

namespace folvane {

std::optional<std::string> NetworkBrowseStart() {
    std::string candidates[3];
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime)
        candidates[0] = std::string(runtime) + "/gvfs";
    candidates[1] = "/mnt";
    candidates[2] = "/media";
    for (const std::string& folder : candidates)
        if (!folder.empty() && ExaminePath(folder) == PathKind::Folder) return folder;
    return std::nullopt;
}

std::string AsChosenNetworkFolder(std::string path) { return path; }

}  // namespace folvane
