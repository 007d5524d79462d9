// Scratch files for libraries that open files by name through the C
// runtime's fopen(): on Windows a narrow name is read in the system's
// code page, so a folder whose name that code page cannot hold is
// reached by its short (8.3) name.
#pragma once

#include <optional>
#include <string>

namespace folvane {

// The folder for scratch files ($TMPDIR or /tmp; on Windows the user's
// temporary folder), named as fopen() takes it and ending in the path
// separator. Nothing when the system has no such folder, or none that
// fopen() can name.
std::optional<std::string> ScratchFolderForCRuntime();

// A name in that folder no other file has: `prefix`, a random part, and
// `suffix`.
std::string UniqueScratchName(const std::string& folder, const std::string& prefix,
                              const std::string& suffix);

}  // namespace folvane
