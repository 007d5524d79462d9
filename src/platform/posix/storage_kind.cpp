#include "platform/storage_kind.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef __linux__
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#endif

namespace folvane {

#ifdef __linux__
namespace {

std::string FirstLine(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// Whether the disk under `path` spins, from sysfs: the device's own queue,
// or for a partition its disk's. Memory and file systems without a disk
// (tmpfs, overlays) have none and count as Local.
StorageKind LocalDiskKind(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return StorageKind::Local;
    const std::string device = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                               std::to_string(minor(info.st_dev));
    std::error_code error;
    std::filesystem::path disk = std::filesystem::canonical(device, error);
    if (error) return StorageKind::Local;
    if (!std::filesystem::exists(disk / "queue", error)) disk = disk.parent_path();
    const std::string rotational = FirstLine((disk / "queue" / "rotational").string());
    if (rotational.empty()) return StorageKind::Local;
    std::string vendor = FirstLine((disk / "device" / "vendor").string());
    return StorageKindOfLocalDisk(rotational == "1", disk.string(), vendor);
}

}  // namespace
#endif

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
    const StorageKind kind = StorageKindOfFileSystemType(type, fuseMountType);
    return kind == StorageKind::Local ? LocalDiskKind(path) : kind;
#else
    (void)path;
    return StorageKind::Unknown;
#endif
}

}  // namespace folvane
