// The user's choices of columns and totals, as plain values. The window owns
// the controls; the core reads this copy at the moment it needs a choice.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace folvane {

// A check box value: 0 clear, 1 ticked, 2 greyed. Only 1 counts as ticked.
using CheckValue = std::int16_t;

inline bool IsTicked(CheckValue value) { return value == 1; }

// Index into SelectionState::Check, one per column box Check0 .. Check9.
enum ColumnBox : int {
    kPathColumn = 0,
    kByteOrderColumn = 1,
    kPageCountColumn = 2,
    kPixelSizeColumn = 3,
    kResolutionColumn = 4,
    kMillimetreColumn = 5,
    kCompressionColumn = 6,
    kColourColumn = 7,
    kPaperColumn = 8,
    kOrientationColumn = 9,
};
inline constexpr int kColumnBoxCount = 10;

struct SelectionState {
    // Check[0] is Check0 (path line) .. Check[9] is Check9 (orientation).
    std::array<CheckValue, kColumnBoxCount> Check{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    CheckValue Check_Total = 1;   // grand total
    CheckValue Check_CTotal = 1;  // per-size summary
    CheckValue Check_RTotal = 0;  // resolution split; only shows the two boxes
    // The two tally resolutions as typed (at most 4 characters each).
    std::string AresoText;
    std::string BresoText;
};

}  // namespace folvane
