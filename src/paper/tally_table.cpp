#include "paper/tally_table.h"

namespace folvane {

std::pair<int, int> TallyCellOf(Paper paper, ResolutionClass cls) {
    const int c = static_cast<int>(cls);
    if (IsASeries(paper)) return {1 + 2 * c, SizeNumber(paper)};
    if (IsBSeries(paper)) return {2 + 2 * c, SizeNumber(paper)};
    return {0, 2 * c};
}

void CountInTally(TallyTable& tally, Paper paper, ResolutionClass cls) {
    const auto [column, row] = TallyCellOf(paper, cls);
    tally.Increment(column, row);
}

}  // namespace folvane
