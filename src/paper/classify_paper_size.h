// Naming a page's paper size and counting it in the tally.
#pragma once

#include <optional>
#include <string_view>

#include "paper/paper_size.h"
#include "paper/tally_resolution.h"
#include "paper/tally_table.h"

namespace folvane {

// Looks the snapped sides up as "WIDTHxHEIGHT", sorts the page into a
// resolution class by its horizontal resolution, and counts it once.
Paper ClassifyPaperSize(std::string_view width, std::string_view height,
                        std::optional<double> xResolution, const TallyResolutions& tally,
                        TallyTable& sizeTally);

// The same for a page whose resolution class is already known (a PDF page
// without an image has no resolution and counts in neither class).
Paper ClassifyPaperSize(std::string_view width, std::string_view height, ResolutionClass cls,
                        TallyTable& sizeTally);

}  // namespace folvane
