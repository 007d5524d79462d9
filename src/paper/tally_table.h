// Pages counted by paper size and resolution class during one run.
#pragma once

#include <cstdint>
#include <utility>

#include "paper/paper_size.h"
#include "state/size_counts.h"

namespace folvane {

// Which of the user's two tally resolutions a page's horizontal resolution
// matched; Rest when neither.
enum class ResolutionClass : std::uint8_t { A = 0, B = 1, Rest = 2 };

// 7 by 7 counters addressed (column, size number). Column 0 holds Other
// pages (row 0, 2, 4 for class A, B, Rest); columns 1/2 hold A/B series of
// class A, 3/4 of class B, 5/6 of class Rest.
using TallyTable = SizeCounts;

std::pair<int, int> TallyCellOf(Paper paper, ResolutionClass cls);

void CountInTally(TallyTable& tally, Paper paper, ResolutionClass cls);

}  // namespace folvane
