// Pages counted by paper size and resolution class during one run.
#pragma once

#include <array>
#include <cstdint>

#include "paper/paper_size.h"

namespace folvane {

// Which of the user's two tally resolutions a page's horizontal resolution
// matched; Rest when neither.
enum class ResolutionClass : std::uint8_t { A = 0, B = 1, Rest = 2 };

// 7 by 7 counters addressed (column, size number). Column 0 holds Other
// pages (row 0, 2, 4 for class A, B, Rest); columns 1/2 hold A/B series of
// class A, 3/4 of class B, 5/6 of class Rest.
class TallyTable {
  public:
    void Reset() { cells_ = {}; }
    void Count(Paper paper, ResolutionClass cls);
    std::uint64_t Cell(int column, int sizeNumber) const { return cells_[column][sizeNumber]; }

    static std::pair<int, int> CellOf(Paper paper, ResolutionClass cls);

  private:
    std::array<std::array<std::uint64_t, 7>, 7> cells_{};
};

}  // namespace folvane
