#include "output/billing_summary.h"

#include <tuple>

#include "inspect/page_texts.h"

namespace folvane {

namespace {

using Cells = std::array<std::array<PagesAndUnits, kColourClassCount>, kPaperSlotCount>;

void Add(PagesAndUnits& sum, const PagesAndUnits& more) {
    sum.pages += more.pages;
    sum.a4Units += more.a4Units;
}

bool HasPages(const std::array<PagesAndUnits, kColourClassCount>& row) {
    for (const auto& cell : row)
        if (cell.pages != 0) return true;
    return false;
}

std::vector<std::string> Row(std::string resolution, std::string unit, std::string label,
                             const std::array<PagesAndUnits, kColourClassCount>& cells) {
    std::vector<std::string> row = {std::move(resolution), std::move(unit), std::move(label)};
    PagesAndUnits total;
    for (const auto& cell : cells) {
        row.push_back(std::to_string(cell.pages));
        row.push_back(std::to_string(cell.a4Units));
        Add(total, cell);
    }
    row.push_back(std::to_string(total.pages));
    row.push_back(std::to_string(total.a4Units));
    return row;
}

}  // namespace

bool BillingSummary::Resolution::operator<(const Resolution& other) const {
    // Known resolutions first, by unit name, then by value.
    return std::tuple(!known, unit, value) < std::tuple(!other.known, other.unit, other.value);
}

void BillingSummary::AddPage(const PageInfo& page, const PageFacts& facts) {
    Resolution resolution;
    if (page.XResolution && *page.XResolution != 0) {
        resolution.known = true;
        resolution.value = *page.XResolution;
        resolution.unit = UnitText(page.UnitName);
    }
    PagesAndUnits& cell = byResolution_[resolution][static_cast<std::size_t>(PaperSlot(facts))]
                                       [static_cast<std::size_t>(facts.colour)];
    ++cell.pages;
    cell.a4Units += facts.a4Units;
}

std::vector<std::string> BillingSummary::Headings() {
    std::vector<std::string> headings = {"解像度", "単位", "用紙"};
    for (int c = 0; c < kColourClassCount; ++c) {
        const std::string name(ColourClassText(static_cast<ColourClass>(c)));
        headings.push_back(name + " 枚数");
        headings.push_back(name + " A4換算");
    }
    headings.push_back("合計 枚数");
    headings.push_back("合計 A4換算");
    return headings;
}

bool BillingSummary::IsNumberColumn(std::size_t column) { return column == 0 || column > 2; }

std::vector<std::vector<std::string>> BillingSummary::Rows() const {
    std::vector<std::vector<std::string>> rows;
    Cells perPaper{};
    for (const auto& [resolution, cells] : byResolution_) {
        const std::string value = resolution.known ? ResolutionText(resolution.value) : "なし";
        std::array<PagesAndUnits, kColourClassCount> subtotal{};
        for (int slot = 0; slot < kPaperSlotCount; ++slot) {
            const auto& row = cells[static_cast<std::size_t>(slot)];
            for (int c = 0; c < kColourClassCount; ++c) {
                Add(subtotal[static_cast<std::size_t>(c)], row[static_cast<std::size_t>(c)]);
                Add(perPaper[static_cast<std::size_t>(slot)][static_cast<std::size_t>(c)],
                    row[static_cast<std::size_t>(c)]);
            }
            if (HasPages(row))
                rows.push_back(Row(value, resolution.unit, std::string(PaperSlotText(slot)), row));
        }
        rows.push_back(Row(value, resolution.unit, "小計", subtotal));
    }
    std::array<PagesAndUnits, kColourClassCount> grand{};
    for (int slot = 0; slot < kPaperSlotCount; ++slot) {
        const auto& row = perPaper[static_cast<std::size_t>(slot)];
        for (int c = 0; c < kColourClassCount; ++c)
            Add(grand[static_cast<std::size_t>(c)], row[static_cast<std::size_t>(c)]);
        rows.push_back(Row("全解像度", "", std::string(PaperSlotText(slot)), row));
    }
    rows.push_back(Row("全解像度", "", "総合計", grand));
    return rows;
}

}  // namespace folvane
