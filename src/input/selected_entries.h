// What the selection window's chosen list adds to the input list when the
// user confirms it.
#pragma once

#include <string>
#include <vector>

#include "input/input_list.h"

namespace folvane {

// Adds one chosen entry to `list`: a folder adds the plain, non-hidden
// *.tif files it directly holds (any letter case; with `withPdf` the *.pdf
// files too), as a drop does; anything
// else is taken as it is, whatever its name ends in. An entry that cannot
// be examined (it vanished, no permission) or a folder that cannot be
// listed adds nothing, gives false, and is added to `problems` with its
// reason, so that the runs report it.
bool AddSelectedEntry(const std::string& entry, std::vector<std::string>& list,
                      std::vector<PathProblem>& problems, bool withPdf = false);

}  // namespace folvane
