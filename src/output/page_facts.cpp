#include "output/page_facts.h"

#include <charconv>
#include <string>

#include "paper/classify_paper_size.h"

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
    PageFacts facts;
    facts.width = SnapDimension(page.Width, page.XResolution, page.UnitName);
    facts.height = SnapDimension(page.Height, page.YResolution, page.UnitName);
    const auto widthMm = SideMillimetres(facts.width);
    const auto heightMm = SideMillimetres(facts.height);
    facts.sizeKnown = widthMm && heightMm;
    TallyTable unused;
    facts.paper =
        ClassifyPaperSize(facts.width.text, facts.height.text, page.XResolution, {}, unused);
    facts.landscape = page.Width.value_or(0) >= page.Height.value_or(0);
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
