#include "platform/storage_kind.h"

#include <string>

namespace folvane {

namespace {

// f_type values from the Linux headers (linux/magic.h) and statfs(2).
constexpr std::uint32_t kFuseMagic = 0x65735546;
constexpr std::uint32_t kNetworkMagics[] = {
    0x6969,      // NFS
    0x517B,      // SMB (the old smbfs)
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2/3
    0x564C,      // NCP (NetWare)
    0x5346414F,  // AFS (OpenAFS)
    0x6B414653,  // kAFS
    0x73757245,  // Coda
    0x00C36400,  // Ceph
    0x01021997,  // 9P (shares of virtual machines and WSL)
    0x0BD00BD0,  // Lustre
    0x47504653,  // IBM Spectrum Scale (GPFS)
    0x13661366,  // OrangeFS
};

// GetDriveTypeW's answers (winbase.h).
constexpr unsigned kDriveUnknown = 0;
constexpr unsigned kDriveNoRootDir = 1;
constexpr unsigned kDriveRemote = 4;

}  // namespace

// Only the low 32 bits are the magic number: f_type is a signed word,
// sign-extended on some systems.
bool IsFuseFileSystemType(std::uint64_t type) {
    return static_cast<std::uint32_t>(type) == kFuseMagic;
}

StorageKind StorageKindOfFileSystemType(std::uint64_t type, std::string_view fuseMountType) {
    if (IsFuseFileSystemType(type))
        return fuseMountType == "fuseblk" ? StorageKind::Local : StorageKind::Network;
    const auto magic = static_cast<std::uint32_t>(type);
    for (const std::uint32_t network : kNetworkMagics)
        if (magic == network) return StorageKind::Network;
    return StorageKind::Local;
}

std::optional<std::string> MountTypeFromMountInfo(std::string_view mountInfo, unsigned major,
                                                  unsigned minor) {
    const std::string device = std::to_string(major) + ":" + std::to_string(minor);
    while (!mountInfo.empty()) {
        const auto end = mountInfo.find('\n');
        std::string_view line = mountInfo.substr(0, end);
        mountInfo.remove_prefix(end == std::string_view::npos ? mountInfo.size() : end + 1);
        // "36 35 98:0 /root /mountpoint options [optional fields] - type source options"
        std::string_view fields = line;
        for (int skip = 0; skip < 2; ++skip) {
            const auto space = fields.find(' ');
            if (space == std::string_view::npos) {
                fields = {};
                break;
            }
            fields.remove_prefix(space + 1);
        }
        if (fields.substr(0, fields.find(' ')) != device) continue;
        const auto dash = line.find(" - ");
        if (dash == std::string_view::npos) continue;
        std::string_view type = line.substr(dash + 3);
        return std::string(type.substr(0, type.find(' ')));
    }
    return std::nullopt;
}

StorageKind StorageKindOfLocalDisk(bool rotational, std::string_view sysfsPath,
                                   std::string_view vendor) {
    if (!rotational) return StorageKind::Local;
    for (const std::string_view bus : {"/virtio", "/xen", "/vbd-", "/vmbus", "/VMBUS"})
        if (sysfsPath.find(bus) != std::string_view::npos) return StorageKind::Local;
    for (const std::string_view maker : {"QEMU", "VMware", "VBOX", "Msft", "0x1af4"})
        if (vendor.find(maker) != std::string_view::npos) return StorageKind::Local;
    return StorageKind::Rotational;
}

StorageKind StorageKindOfDriveType(unsigned driveType) {
    if (driveType == kDriveRemote) return StorageKind::Network;
    if (driveType == kDriveUnknown || driveType == kDriveNoRootDir) return StorageKind::Unknown;
    return StorageKind::Local;
}

bool IsUncPath(std::string_view path) {
    auto isSlash = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 3 || !isSlash(path[0]) || !isSlash(path[1])) return false;
    // "\\?\C:\..." and "\\.\device" name local things; "\\?\UNC\" a share.
    if (path[2] == '?' || path[2] == '.') {
        if (path.size() < 8 || !isSlash(path[3])) return false;
        const std::string_view unc = path.substr(4, 3);
        return (unc == "UNC" || unc == "unc") && isSlash(path[7]) && path.size() > 8;
    }
    return !isSlash(path[2]);
}

}  // namespace folvane
