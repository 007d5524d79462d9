#include "platform/file_system.h"

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace folvane {

const char kPathSeparator = '/';

PathKind ExaminePath(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Unreadable;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

std::optional<std::vector<std::string>> ListTifFileNames(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        // Names starting with a dot are this system's hidden files.
        if (name.empty() || name[0] == '.' || !HasTifExtensionIgnoringCase(name)) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            // A link to a file counts as the file, as a desktop search would.
            struct stat info {};
            regular =
                ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::vector<std::string>> ListSubfolderNames(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
        bool folderEntry = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            folderEntry = ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISDIR(info.st_mode);
        }
        if (folderEntry) names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace folvane
