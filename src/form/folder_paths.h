// Folder paths as the selection window shows them.
#pragma once

#include <string>
#include <vector>

namespace folvane::form {

// `path` made absolute against the current folder, with the system's
// separators and nothing doubled or relative ("." and ".." resolved); no
// separator at the end except a root's.
std::string CleanFolderPath(const std::string& path);

// The folders from the root of `folder` (a clean path) down to it.
std::vector<std::string> FolderChain(const std::string& folder);

// The process's current folder; empty when the system will not say.
std::string CurrentFolder();

// The root folder of `folder` ("/", "C:\").
std::string RootOf(const std::string& folder);

// The folder a file path lies in; empty for a bare name.
std::string ParentFolder(const std::string& path);

}  // namespace folvane::form
