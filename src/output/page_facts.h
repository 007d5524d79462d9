// What the table, the totals and the workbook say about one page beyond
// its fields: its snapped sides, paper, orientation, A4 units and colour
// class, worked out once.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "inspect/page_info.h"
#include "inspect/snap_dimension.h"
#include "inspect/tiff_reader.h"
#include "paper/billing_units.h"
#include "paper/paper_size.h"

namespace folvane {

struct PageFacts {
    SnappedDimension width;
    SnappedDimension height;
    // Both sides known: the page has a resolution in both directions.
    bool sizeKnown = false;
    Paper paper = Paper::Other;
    bool landscape = false;
    std::uint32_t a4Units = 1;
    ColourClass colour = ColourClass::Unknown;
};

PageFacts DescribePage(const PageInfo& page);
std::vector<PageFacts> DescribePages(const TiffReadResult& read);

// The 15 paper columns of the totals: A0..A6, B1..B6, Other, and "なし"
// for a page whose size is unknown (which the text report counts as Other).
inline constexpr int kPaperSlotCount = 15;
inline constexpr int kOtherSlot = 13;
inline constexpr int kNoSizeSlot = 14;
int PaperSlot(const PageFacts& facts);
std::string_view PaperSlotText(int slot);

}  // namespace folvane
