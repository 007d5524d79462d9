#include "output/folder_totals.h"

#include "platform/file_system.h"

namespace folvane {

std::string FolderOf(const std::string& path) {
    // Windows takes "/" as well as its own separator.
    const std::size_t last = kPathSeparator == '/'
                                 ? path.rfind('/')
                                 : path.find_last_of(std::string("/") + kPathSeparator);
    if (last == std::string::npos) return std::string();
    // The root keeps its separator: "/a.tif" is in "/".
    return path.substr(0, last == 0 ? 1 : last);
}

void FolderTotals::AddFile(const std::string& path, std::span<const PageFacts> pages) {
    std::string folder = FolderOf(path);
    auto [at, added] = index_.try_emplace(folder, folders_.size());
    if (added) folders_.push_back({.folder = std::move(folder)});
    FolderTotal& total = folders_[at->second];
    ++total.files;
    for (const PageFacts& page : pages) {
        ++total.pages;
        total.a4Units += page.a4Units;
        ++total.pagesByPaper[static_cast<std::size_t>(PaperSlot(page))];
        ++total.pagesByColour[static_cast<std::size_t>(page.colour)];
    }
}

std::vector<std::string> FolderHeadings() {
    std::vector<std::string> headings = {"フォルダ", "ファイル数", "ページ数", "A4換算"};
    for (int slot = 0; slot < kPaperSlotCount; ++slot) headings.emplace_back(PaperSlotText(slot));
    for (int c = 0; c < kColourClassCount; ++c)
        headings.emplace_back(ColourClassText(static_cast<ColourClass>(c)));
    return headings;
}

bool IsFolderNumberColumn(std::size_t column) { return column > 0; }

std::vector<std::string> FolderRow(const FolderTotal& total) {
    std::vector<std::string> row = {total.folder, std::to_string(total.files),
                                    std::to_string(total.pages), std::to_string(total.a4Units)};
    for (const auto pages : total.pagesByPaper) row.push_back(std::to_string(pages));
    for (const auto pages : total.pagesByColour) row.push_back(std::to_string(pages));
    return row;
}

}  // namespace folvane
