// What the input list needs to know about paths on this system.
#pragma once

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

// Names of the folders directly in `folder`, leaving out hidden ones and
// links (a link back up the tree would never end a walk). Nothing when the
// folder cannot be listed, with `reason` as above.
std::optional<std::vector<std::string>> ListSubfolderNames(const std::string& folder,
                                                           std::string* reason = nullptr);

// What makes a file the same file under any of its names: on POSIX
// systems the device and inode numbers, on Windows the volume serial
// number and file index.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` names, following links; nothing when
// it cannot be examined.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// True for names ending in ".tif" in any letter case.
bool HasTifExtensionIgnoringCase(const std::string& name);

// True for names ending in ".pdf" in any letter case.
bool HasPdfExtensionIgnoringCase(const std::string& name);

// Whether a folder's file of this name is listed: *.tif, and *.pdf when
// PDF files are taken.
bool IsListedFileName(const std::string& name, bool withPdf);

}  // namespace folvane
