// The pages of one run counted by paper size and resolution class, as
// plain counters; paper/tally_table.h says which counter a page goes to.
#pragma once

#include <array>
#include <cstdint>

namespace folvane {

class SizeCounts {
  public:
    void Reset() { cells_ = {}; }
    void Increment(int column, int row) { ++cells_[column][row]; }
    std::uint64_t Cell(int column, int row) const { return cells_[column][row]; }

  private:
    std::array<std::array<std::uint64_t, 7>, 7> cells_{};
};

}  // namespace folvane
