#include "platform/storage_kind.h"

#include <fstream>
#include <iterator>

#ifdef __linux__
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#endif

namespace folvane {

StorageKind StorageKindOf(const std::string& path) {
#ifdef __linux__
    struct statfs fileSystem {};
    if (::statfs(path.c_str(), &fileSystem) != 0) return StorageKind::Unknown;
    const auto type = static_cast<std::uint64_t>(fileSystem.f_type);
    std::string fuseMountType;
    if (IsFuseFileSystemType(type)) {
        // FUSE also serves local disks; the mount table tells which.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            std::ifstream mounts("/proc/self/mountinfo");
            const std::string text{std::istreambuf_iterator<char>(mounts), {}};
            fuseMountType =
                MountTypeFromMountInfo(text, major(info.st_dev), minor(info.st_dev)).value_or("");
        }
    }
    return StorageKindOfFileSystemType(type, fuseMountType);
#else
    (void)path;
    return StorageKind::Unknown;
#endif
}

}  // namespace folvane
