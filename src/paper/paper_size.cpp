#include "paper/paper_size.h"

#include <unordered_map>

namespace folvane {

namespace {

// Sheets in ascending order; sheet k has short side d[k], long side d[k+2].
constexpr std::array<Paper, 13> kSheets = {Paper::A6, Paper::B6, Paper::A5, Paper::B5, Paper::A4,
                                           Paper::B4, Paper::A3, Paper::B3, Paper::A2, Paper::B2,
                                           Paper::A1, Paper::B1, Paper::A0};

std::string Key(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

std::vector<std::pair<std::string, Paper>> BuildKeyTable() {
    const auto& d = StandardDimensions;
    std::vector<std::pair<std::string, Paper>> table;
    for (int k = 0; k < static_cast<int>(kSheets.size()); ++k) {
        const Paper paper = kSheets[k];
        auto add = [&](int a, int b) {
            table.emplace_back(Key(a, b), paper);
            table.emplace_back(Key(b, a), paper);
        };
        add(d[k], d[k + 2]);  // the sheet itself, upright then turned
        add(d[k], d[k + 1]);  // a little narrower: still fits this sheet
        // Long side of this sheet with any shorter standard side.
        for (int m = k - 1; m >= 0; --m) add(d[k + 2], d[m]);
    }
    return table;
}

}  // namespace

std::string_view PaperNameText(Paper paper) {
    static constexpr std::array<std::string_view, 14> kNames = {
        "A0", "A1", "A2", "A3", "A4", "A5", "A6", "B1", "B2", "B3", "B4", "B5", "B6", "Other"};
    return kNames[static_cast<std::size_t>(paper)];
}

bool IsASeries(Paper paper) { return paper <= Paper::A6; }

bool IsBSeries(Paper paper) { return paper >= Paper::B1 && paper <= Paper::B6; }

int SizeNumber(Paper paper) {
    if (IsASeries(paper)) return static_cast<int>(paper) - static_cast<int>(Paper::A0);
    if (IsBSeries(paper)) return static_cast<int>(paper) - static_cast<int>(Paper::B1) + 1;
    return 0;
}

const std::vector<std::pair<std::string, Paper>>& PaperKeyTable() {
    static const auto table = BuildKeyTable();
    return table;
}

Paper LookUpPaper(std::string_view sizeKey) {
    // All keys are distinct, so a hash lookup gives what the ordered walk gives.
    static const auto index = [] {
        std::unordered_map<std::string_view, Paper> map;
        for (const auto& [key, paper] : PaperKeyTable()) map.emplace(key, paper);
        return map;
    }();
    const auto found = index.find(sizeKey);
    return found == index.end() ? Paper::Other : found->second;
}

}  // namespace folvane
