// Whether a path lies on a file system reached over the network, where
// every open and every read waits on a server, so that a run can keep
// enough reads in flight to hide the wait.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace folvane {

enum class StorageKind {
    Local,       // a local disk that does not spin: solid-state, virtual, memory
    Rotational,  // a local spinning disk, where reads in flight cost seeks
    Network,
    Unknown,  // the system would not say (a path that does not exist, ...)
};

// Asks the system about the file system holding `path` (a file or folder):
// on Linux its type from statfs (and, for FUSE, the mount's type), then
// for a local one whether its disk spins (sysfs); on Windows a UNC path or
// the drive type of its volume, then the disk's seek penalty.
StorageKind StorageKindOf(const std::string& path);

// The rules behind StorageKindOf, the same on every system so that they can
// be tested anywhere.

// A Linux file system type as statfs reports it (f_type). FUSE serves both
// network file systems (sshfs, rclone, the desktop's network places) and
// local disks ("fuseblk": NTFS, exFAT), so for FUSE the mount's type from
// /proc/self/mountinfo decides; without it FUSE counts as network.
StorageKind StorageKindOfFileSystemType(std::uint64_t type, std::string_view fuseMountType = {});
bool IsFuseFileSystemType(std::uint64_t type);

// The file system type of the mount numbered major:minor in the text of
// /proc/self/mountinfo ("fuse.sshfs", "fuseblk", ...).
std::optional<std::string> MountTypeFromMountInfo(std::string_view mountInfo, unsigned major,
                                                  unsigned minor);

// A local disk by what sysfs says of it: its "queue/rotational" flag, the
// resolved sysfs path of the block device and its vendor. Virtual disks
// (virtio, Xen, Hyper-V, QEMU, VMware, VirtualBox) report spinning though
// they are files or volumes on the host, where reads in flight help: they
// count as Local.
StorageKind StorageKindOfLocalDisk(bool rotational, std::string_view sysfsPath,
                                   std::string_view vendor);

// A Windows drive type as GetDriveTypeW returns it (DRIVE_REMOTE is 4).
StorageKind StorageKindOfDriveType(unsigned driveType);

// "\\server\share\...", or the same written "\\?\UNC\server\share\...".
bool IsUncPath(std::string_view path);

}  // namespace folvane
