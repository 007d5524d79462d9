// Which names the input list takes: the one place that says what a scan's
// file name looks like.
#pragma once

#include <string_view>

namespace folvane {

// A file named on its own (dropped, listed, given on the command line) is
// taken when its path ends in ".tif" exactly.
bool TakesNamedFile(std::string_view path);

// A file found by listing a folder is taken when its name ends in ".tif"
// in any letter case.
bool TakesListedFile(std::string_view name);

}  // namespace folvane
