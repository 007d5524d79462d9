// Where the folder picker for network folders starts, and what becomes of
// the folder the user chose in it.
#pragma once

#include <optional>
#include <string>

namespace folvane {

// Where network shares are found on this system: here the first folder
// that exists of the desktop's mount folder for network places of the
// current user ($XDG_RUNTIME_DIR/gvfs), /mnt and /media; on Windows
// nothing, and the picker starts where it would by itself.
std::optional<std::string> NetworkBrowseStart();

// The chosen folder as the folder views are given it. Windows ignores
// letter case in paths and takes it lowered; here a lowered path would name
// another folder, or none, so it stays as chosen.
std::string AsChosenNetworkFolder(std::string path);

}  // namespace folvane
