#include "paper/tally_table.h"

namespace folvane {

std::pair<int, int> TallyTable::CellOf(Paper paper, ResolutionClass cls) {
    const int c = static_cast<int>(cls);
    if (IsASeries(paper)) return {1 + 2 * c, SizeNumber(paper)};
    if (IsBSeries(paper)) return {2 + 2 * c, SizeNumber(paper)};
    return {0, 2 * c};
}

void TallyTable::Count(Paper paper, ResolutionClass cls) {
    const auto [column, row] = CellOf(paper, cls);
    ++cells_[column][row];
}

}  // namespace folvane
