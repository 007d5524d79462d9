#include "paper/size_summary.h"

#include <vector>

namespace folvane {

namespace {

struct ShownClass {
    ResolutionClass cls;
    std::string_view heading;
};

std::vector<ShownClass> ShownClasses(std::string_view aresoText, std::string_view bresoText) {
    std::vector<ShownClass> shown;
    if (!aresoText.empty()) shown.push_back({ResolutionClass::A, aresoText});
    if (!bresoText.empty()) shown.push_back({ResolutionClass::B, bresoText});
    // The Rest column is headed "他" only when it stands beside a resolution.
    shown.push_back({ResolutionClass::Rest, shown.empty() ? "" : "他"});
    return shown;
}

void AppendCounts(std::string& line, const TallyTable& tally, Paper paper,
                  const std::vector<ShownClass>& shown) {
    for (const auto& column : shown) {
        const auto [col, row] = TallyCellOf(paper, column.cls);
        line += '\t';
        line += std::to_string(tally.Cell(col, row));
    }
}

}  // namespace

std::string RenderSizeSummary(const TallyTable& tally, std::string_view aresoText,
                              std::string_view bresoText) {
    const auto shown = ShownClasses(aresoText, bresoText);
    std::string text = "サイズ別枚数\r\n";

    std::string headings;
    for (const auto& column : shown) {
        headings += '\t';
        headings += column.heading;
    }
    // An empty cell opens each half of the line.
    text += headings + "\t" + headings + "\r\n";

    text += "A6";
    AppendCounts(text, tally, Paper::A6, shown);
    text += "\r\n";
    // Each B sheet sits on the line of the next larger A sheet.
    for (int n = 5; n >= 0; --n) {
        const auto aSheet = static_cast<Paper>(static_cast<int>(Paper::A0) + n);
        const auto bSheet = static_cast<Paper>(static_cast<int>(Paper::B1) + n);
        text += PaperNameText(aSheet);
        AppendCounts(text, tally, aSheet, shown);
        text += '\t';
        text += PaperNameText(bSheet);
        AppendCounts(text, tally, bSheet, shown);
        text += "\r\n";
    }
    text += "Other";
    AppendCounts(text, tally, Paper::Other, shown);
    text += "\r\n";
    return text;
}

void ResetTallies(FormState& state) { state.SizeTally.Reset(); }

void BuildSizeSummary(FormState& state, const SelectionState& selection) {
    state.SizeSummaryText =
        RenderSizeSummary(state.SizeTally, selection.AresoText, selection.BresoText);
    ResetTallies(state);
}

}  // namespace folvane
