// Where the window finds its help page, Folvane.html.
#pragma once

#include <string>
#include <vector>

namespace folvane {

inline constexpr const char* kHelpFileName = "Folvane.html";

// The places the help page may be for a program in `programFolder` (the
// folder of the running program, UTF-8), in the order they are tried:
// beside the program (a build folder, the Windows .zip), then
// `programFolder`/../share/doc/folvane/ (an installation under a prefix,
// /usr/bin -> /usr/share/doc/folvane).
std::vector<std::string> HelpFileCandidates(const std::string& programFolder);

// The first candidate that is a file. When none is, the one beside the
// program, so that a "not found" message names the place a build puts it.
std::string FindHelpFile(const std::string& programFolder);

}  // namespace folvane
