#include "platform/storage_kind.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace folvane {
namespace {

TEST(StorageKind, LinuxFileSystemTypes) {
    struct Case {
        const char* name;
        std::uint64_t type;
        const char* fuseMountType;
        StorageKind expected;
    };
    const Case cases[] = {
        {"nfs", 0x6969, "", StorageKind::Network},
        {"smbfs", 0x517B, "", StorageKind::Network},
        {"cifs", 0xFF534D42, "", StorageKind::Network},
        // f_type is a signed word: the same magic sign-extended.
        {"cifs sign-extended", 0xFFFFFFFFFF534D42, "", StorageKind::Network},
        {"smb2", 0xFE534D42, "", StorageKind::Network},
        {"ceph", 0x00C36400, "", StorageKind::Network},
        {"9p", 0x01021997, "", StorageKind::Network},
        {"afs", 0x5346414F, "", StorageKind::Network},
        {"sshfs", 0x65735546, "fuse.sshfs", StorageKind::Network},
        {"desktop network places", 0x65735546, "fuse.gvfsd-fuse", StorageKind::Network},
        {"fuse, mount type unknown", 0x65735546, "", StorageKind::Network},
        {"ntfs-3g on a local disk", 0x65735546, "fuseblk", StorageKind::Local},
        {"ext4", 0xEF53, "", StorageKind::Local},
        {"btrfs", 0x9123683E, "", StorageKind::Local},
        {"xfs", 0x58465342, "", StorageKind::Local},
        {"tmpfs", 0x01021994, "", StorageKind::Local},
        {"overlay", 0x794C7630, "", StorageKind::Local},
        {"vfat", 0x4D44, "", StorageKind::Local},
        // A magic number in the high half alone is not one of them.
        {"nfs in the high half", 0x0000696900000000, "", StorageKind::Local},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StorageKindOfFileSystemType(c.type, c.fuseMountType), c.expected) << c.name;
    EXPECT_TRUE(IsFuseFileSystemType(0x65735546));
    EXPECT_TRUE(IsFuseFileSystemType(0xFFFFFFFF65735546));
    EXPECT_FALSE(IsFuseFileSystemType(0x6969));
}

TEST(StorageKind, MountTypeFromMountInfo) {
    const std::string_view mountInfo =
        "22 1 0:21 / / rw,relatime - overlay overlay rw,lowerdir=/a\n"
        "25 22 0:23 / /proc rw,nosuid shared:12 - proc proc rw\n"
        "98 22 0:52 / /mnt/scans rw,nosuid,nodev,relatime shared:40 master:2 - fuse.sshfs "
        "root@server:/srv rw,user_id=0\n"
        "99 22 8:17 / /media/usb rw,relatime - fuseblk /dev/sdb1 rw\n";
    EXPECT_EQ(MountTypeFromMountInfo(mountInfo, 0, 52), "fuse.sshfs");
    EXPECT_EQ(MountTypeFromMountInfo(mountInfo, 8, 17), "fuseblk");
    EXPECT_EQ(MountTypeFromMountInfo(mountInfo, 0, 21), "overlay");
    // 0:5 must not match "0:52".
    EXPECT_EQ(MountTypeFromMountInfo(mountInfo, 0, 5), std::nullopt);
    EXPECT_EQ(MountTypeFromMountInfo("", 0, 52), std::nullopt);
    EXPECT_EQ(MountTypeFromMountInfo("1 2 0:52 / /x rw no-separator\n", 0, 52), std::nullopt);
}

TEST(StorageKind, WindowsDriveTypes) {
    // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR, DRIVE_REMOVABLE, DRIVE_FIXED,
    // DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK.
    const StorageKind expected[] = {StorageKind::Unknown, StorageKind::Unknown, StorageKind::Local,
                                    StorageKind::Local,   StorageKind::Network, StorageKind::Local,
                                    StorageKind::Local};
    for (unsigned type = 0; type < std::size(expected); ++type)
        EXPECT_EQ(StorageKindOfDriveType(type), expected[type]) << type;
}

TEST(StorageKind, UncPaths) {
    EXPECT_TRUE(IsUncPath(R"(\\server\share\scans\a.tif)"));
    EXPECT_TRUE(IsUncPath(R"(\\server)"));
    EXPECT_TRUE(IsUncPath("//server/share/a.tif"));
    EXPECT_TRUE(IsUncPath(R"(\\?\UNC\server\share\a.tif)"));
    EXPECT_FALSE(IsUncPath(R"(\\?\C:\scans\a.tif)"));
    EXPECT_FALSE(IsUncPath(R"(\\.\PhysicalDrive0)"));
    EXPECT_FALSE(IsUncPath(R"(\\?\UNC\)"));
    EXPECT_FALSE(IsUncPath(R"(C:\scans\a.tif)"));
    EXPECT_FALSE(IsUncPath(R"(\scans\a.tif)"));
    EXPECT_FALSE(IsUncPath(R"(\\\server)"));
    EXPECT_FALSE(IsUncPath("/srv/scans/a.tif"));
    EXPECT_FALSE(IsUncPath(""));
}

// A test machine's temporary folder is on a local disk or in memory.
// Local, or on a machine with a spinning disk, Rotational: never a network.
TEST(StorageKind, TheTemporaryFolderIsLocal) {
    const StorageKind kind = StorageKindOf(std::filesystem::temp_directory_path().string());
    EXPECT_TRUE(kind == StorageKind::Local || kind == StorageKind::Rotational)
        << static_cast<int>(kind);
}

// A disk that spins counts as Rotational, unless it is a virtual disk
// that only says it spins (virtio, Xen, Hyper-V, hypervisors' vendors).
TEST(StorageKind, SpinningDisksButNotVirtualOnes) {
    struct Case {
        const char* name;
        bool rotational;
        const char* sysfs;
        const char* vendor;
        StorageKind expected;
    };
    const Case cases[] = {
        {"nvme", false, "/sys/devices/pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1", "",
         StorageKind::Local},
        {"sata ssd", false, "/sys/devices/pci0000:00/ata1/host0/target0:0:0/0:0:0:0/block/sda",
         "ATA", StorageKind::Local},
        {"sata disk", true, "/sys/devices/pci0000:00/ata1/host0/target0:0:0/0:0:0:0/block/sdb",
         "ATA", StorageKind::Rotational},
        {"usb disk", true, "/sys/devices/pci0000:00/usb2/2-1/host6/block/sdc", "WD",
         StorageKind::Rotational},
        {"virtio", true, "/sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda", "0x1af4",
         StorageKind::Local},
        {"xen", true, "/sys/devices/vbd-51712/block/xvda", "", StorageKind::Local},
        {"qemu scsi", true, "/sys/devices/pci0000:00/host0/block/sda", "QEMU", StorageKind::Local},
        {"hyper-v", true, "/sys/devices/LNXSYSTM:00/VMBUS:00/block/sda", "Msft",
         StorageKind::Local},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StorageKindOfLocalDisk(c.rotational, c.sysfs, c.vendor), c.expected) << c.name;
}

}  // namespace
}  // namespace folvane
