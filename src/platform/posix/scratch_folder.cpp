#include <sys/stat.h>

#include <cstdlib>

#include "platform/scratch_files.h"

namespace folvane {

std::optional<std::string> ScratchFolderForCRuntime() {
    const char* variable = std::getenv("TMPDIR");
    std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) folder = "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace folvane
