#include "output/page_facts.h"

#include <charconv>
#include <string>

#include "inspect/result_lines.h"

namespace folvane {

namespace {

std::optional<double> SideMillimetres(const SnappedDimension& side) {
    double value = 0;
    const char* first = side.text.data();
    const char* last = first + side.text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace

PageFacts DescribePage(const PageInfo& page) {
    // A PDF page that paints no image has its sides from its box.
    const PageSides sides = SidesOf(page);
    PageFacts facts;
    facts.width = SnapDimension(sides.width, sides.xResolution, sides.unit);
    facts.height = SnapDimension(sides.height, sides.yResolution, sides.unit);
    const auto widthMm = SideMillimetres(facts.width);
    const auto heightMm = SideMillimetres(facts.height);
    facts.sizeKnown = widthMm && heightMm;
    TallyTable unused;
    facts.paper = ClassifyPage(page, {}, unused);
    facts.landscape = sides.landscape;
    facts.a4Units = A4Units(widthMm, heightMm);
    facts.colour = ClassifyColour(page.ColorName);
    return facts;
}

std::vector<PageFacts> DescribePages(const TiffReadResult& read) {
    std::vector<PageFacts> facts;
    facts.reserve(read.pages.size());
    for (const PageInfo& page : read.pages) facts.push_back(DescribePage(page));
    return facts;
}

int PaperSlot(const PageFacts& facts) {
    if (!facts.sizeKnown) return kNoSizeSlot;
    if (facts.paper == Paper::Other) return kOtherSlot;
    return static_cast<int>(facts.paper);
}

std::string_view PaperSlotText(int slot) {
    if (slot == kNoSizeSlot) return "なし";
    return PaperNameText(static_cast<Paper>(slot));
}

}  // namespace folvane
