// What the input list needs to know about paths on this system.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace folvane {

// "/" here, "\" on Windows.
extern const char kPathSeparator;

enum class PathKind {
    Missing,  // nothing at that path
    File,     // anything that is not a folder
    Folder,
    Unreadable,  // the system would not say (no permission on the way, ...)
};

// For Unreadable, `reason` (when given) receives why, in Japanese.
PathKind ExaminePath(const std::string& path, std::string* reason = nullptr);

// Names of the plain, non-hidden files directly in `folder` whose names
// match *.tif ignoring case (and *.pdf, `withPdf`), in the order the
// system lists them. Nothing when the folder cannot be listed, or listing
// it fails part way; `reason` (when given) then receives why, in Japanese.
std::optional<std::vector<std::string>> ListTifFileNames(const std::string& folder,
                                                         std::string* reason = nullptr,
                                                         bool withPdf = false);

// Whether a link to a folder (a symbolic link, on Windows any reparse
// point such as a junction) counts as a folder.
enum class FolderLinks {
    LeftOut,  // a walk down a tree: a link back up it would never end
    Listed,   // a person choosing folders one level at a time
};

// Names of the folders directly in `folder`, leaving out hidden ones, and
// links unless `links` lists them. Nothing when the folder cannot be
// listed, with `reason` as above.
std::optional<std::vector<std::string>> ListSubfolderNames(
    const std::string& folder, std::string* reason = nullptr,
    FolderLinks links = FolderLinks::LeftOut);

// What makes a file the same file under any of its names: on POSIX
// systems the device and inode numbers, on Windows the volume serial
// number and file index.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileIdentityHash {
    std::size_t operator()(const FileIdentity& id) const {
        return static_cast<std::size_t>(id.file * 0x9E3779B97F4A7C15ULL ^ id.device);
    }
};

// The identity of the file `path` names, following links; nothing when
// it cannot be examined.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// One look at a path (one stat, or on Windows one open for attributes):
// what it is and, for what exists, its identity, so that nothing needs to
// ask about the same path again. Links are followed unless `followLinks`
// is false, when a link is a File that is not `regular`.
struct PathLook {
    PathKind kind = PathKind::Missing;
    bool regular = false;  // a plain file (not a device, pipe or link)
    std::optional<FileIdentity> identity;
    std::string reason;  // for Unreadable: why, in Japanese
};
PathLook LookAtPath(const std::string& path, bool followLinks = true);

// What a folder's listing says about one entry, without a look of its
// own. Unknown where the file system does not say (many network and FUSE
// file systems): a look tells.
enum class EntryType { File, Folder, Link, FolderLink, Other, Unknown };

struct FolderEntry {
    std::string name;
    EntryType type = EntryType::Unknown;
    bool hidden = false;  // a dot name here, the hidden or system attribute on Windows
    // For File entries where the listing gives it and the file system's
    // numbers can be trusted to match a look's; nothing elsewhere.
    std::optional<FileIdentity> identity;
};

// Every entry of `folder` but "." and "..", in the order the system lists
// them. Nothing when the folder cannot be listed, or listing it fails part
// way; `reason` (when given) then receives why, in Japanese.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder,
                                                   std::string* reason = nullptr);

// For tests: every LookAtPath and ListFolder waits this long first, as on
// a slow file server. Zero (the default) waits not at all.
void DelayPathLooksForTesting(std::chrono::microseconds delay);
// The delay set, which the systems' LookAtPath and ListFolder wait for.
void WaitAsForTesting();

// True for names ending in ".tif" in any letter case.
bool HasTifExtensionIgnoringCase(const std::string& name);

// True for names ending in ".pdf" in any letter case.
bool HasPdfExtensionIgnoringCase(const std::string& name);

// Whether a folder's file of this name is listed: *.tif, and *.pdf when
// PDF files are taken.
bool IsListedFileName(const std::string& name, bool withPdf);

}  // namespace folvane
