// Pages per folder: what a bureau invoices per delivery when each
// delivery is a folder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "inspect/tiff_reader.h"
#include "output/page_facts.h"

namespace folvane {

struct FolderTotal {
    std::string folder;
    std::int64_t files = 0;
    std::int64_t pages = 0;
    std::int64_t a4Units = 0;
    std::array<std::int64_t, kPaperSlotCount> pagesByPaper{};
    std::array<std::int64_t, kColourClassCount> pagesByColour{};
};

// The folder part of a path ("" for a bare file name).
std::string FolderOf(const std::string& path);

class FolderTotals {
  public:
    // Counts one listed file (whatever its status) and its pages.
    void AddFile(const std::string& path, std::span<const PageFacts> pages);
    // One entry per folder, in the order the folders first came in the list.
    const std::vector<FolderTotal>& Folders() const { return folders_; }

  private:
    std::vector<FolderTotal> folders_;
    std::unordered_map<std::string, std::size_t> index_;
};

// "フォルダ", "ファイル数", "ページ数", "A4換算", the paper sizes, the
// colour classes.
std::vector<std::string> FolderHeadings();
bool IsFolderNumberColumn(std::size_t column);
std::vector<std::string> FolderRow(const FolderTotal& total);

}  // namespace folvane
