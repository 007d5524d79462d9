#include "platform/file_system.h"

#include <cerrno>

#include "platform/error_reason.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace folvane {

const char kPathSeparator = '/';

namespace {

// Keeps errno's reason for the caller that asked for one.
void Explain(std::string* reason, int error) {
    if (reason != nullptr) *reason = SystemErrorReason(static_cast<unsigned long>(error));
}

// readdir() tells an error from the end only through errno.
const dirent* NextEntry(DIR* dir) {
    errno = 0;
    return ::readdir(dir);
}

}  // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

PathLook LookAtPath(const std::string& path, bool followLinks) {
    WaitAsForTesting();
    PathLook look;
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return look;
        look.kind = PathKind::Unreadable;
        look.reason = SystemErrorReason(static_cast<unsigned long>(errno));
        return look;
    }
    look.kind = S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
    look.regular = S_ISREG(info.st_mode);
    look.identity = FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                                 static_cast<std::uint64_t>(info.st_ino)};
    return look;
}

namespace {

// Whether a listing's inode numbers are those a stat of the entry gives.
// FUSE file systems often make them up (or give one number to all), and
// an overlay's may come from another layer than the stat's; counting two
// files as one would lose pages, so only these are taken at their word.
bool ListedInodesMatchStat(int folderFd) {
#ifdef __linux__
    struct statfs fileSystem {};
    if (::fstatfs(folderFd, &fileSystem) != 0) return false;
    switch (static_cast<std::uint32_t>(fileSystem.f_type)) {
        case 0xEF53:      // ext2, ext3, ext4
        case 0x58465342:  // XFS
        case 0x9123683E:  // Btrfs
        case 0x01021994:  // tmpfs
        case 0xF2F52010:  // F2FS
        case 0x3153464A:  // JFS
        case 0x2FC12FC1:  // ZFS
        case 0x6969:      // NFS
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2/3
            return true;
        default:
            return false;
    }
#else
    (void)folderFd;
    return false;
#endif
}

EntryType TypeOf(unsigned char type) {
    switch (type) {
        case DT_REG:
            return EntryType::File;
        case DT_DIR:
            return EntryType::Folder;
        case DT_LNK:
            return EntryType::Link;
        case DT_UNKNOWN:
            return EntryType::Unknown;
        default:
            return EntryType::Other;
    }
}

}  // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string* reason) {
    WaitAsForTesting();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        Explain(reason, errno);
        return std::nullopt;
    }
    // One look at the folder itself, for the device its files lie on.
    struct stat self {};
    bool trusted = ::fstat(::dirfd(dir), &self) == 0 && ListedInodesMatchStat(::dirfd(dir));
    std::vector<FolderEntry> entries;
    while (const dirent* entry = NextEntry(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            // A listing whose "." is not the folder's own number is not
            // taken at its word for the other entries either.
            if (name == "." && entry->d_ino != self.st_ino) trusted = false;
            continue;
        }
        FolderEntry listed;
        listed.name = name;
        listed.type = TypeOf(entry->d_type);
        listed.hidden = name[0] == '.';
        if (listed.type == EntryType::File && entry->d_ino != 0)
            listed.identity = FileIdentity{static_cast<std::uint64_t>(self.st_dev),
                                           static_cast<std::uint64_t>(entry->d_ino)};
        entries.push_back(std::move(listed));
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        Explain(reason, error);
        return std::nullopt;
    }
    if (!trusted)
        for (FolderEntry& entry : entries) entry.identity.reset();
    return entries;
}

PathKind ExaminePath(const std::string& path, std::string* reason) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return PathKind::Missing;
        Explain(reason, errno);
        return PathKind::Unreadable;
    }
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

std::optional<std::vector<std::string>> ListTifFileNames(const std::string& folder,
                                                         std::string* reason, bool withPdf) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        Explain(reason, errno);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = NextEntry(dir)) {
        const std::string name = entry->d_name;
        // Names starting with a dot are this system's hidden files.
        if (name.empty() || name[0] == '.' || !IsListedFileName(name, withPdf)) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            // A link to a file counts as the file, as a desktop search would.
            struct stat info {};
            regular =
                ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) names.push_back(name);
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        Explain(reason, error);
        return std::nullopt;
    }
    return names;
}

std::optional<std::vector<std::string>> ListSubfolderNames(const std::string& folder,
                                                           std::string* reason, FolderLinks links) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        Explain(reason, errno);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = NextEntry(dir)) {
        if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
        bool folderEntry = entry->d_type == DT_DIR;
        const bool link = entry->d_type == DT_LNK;
        if (entry->d_type == DT_UNKNOWN || (link && links == FolderLinks::Listed)) {
            // Followed only when links are listed.
            struct stat info {};
            const int follow = links == FolderLinks::Listed ? 0 : AT_SYMLINK_NOFOLLOW;
            folderEntry =
                ::fstatat(::dirfd(dir), entry->d_name, &info, follow) == 0 && S_ISDIR(info.st_mode);
        }
        if (folderEntry) names.emplace_back(entry->d_name);
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        Explain(reason, error);
        return std::nullopt;
    }
    return names;
}

}  // namespace folvane
