#include "platform/file_system.h"

#include <cerrno>

#include "platform/error_reason.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

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
                                                           std::string* reason) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        Explain(reason, errno);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = NextEntry(dir)) {
        if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
        bool folderEntry = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            folderEntry = ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISDIR(info.st_mode);
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
