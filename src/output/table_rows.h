// The rows of the table: one per page, streamed as files are read, for
// spreadsheets and billing scripts. The CSV table and the workbook's page
// sheet are written from the same rows.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/tiff_reader.h"
#include "output/page_facts.h"

namespace folvane {

// The CSV table's columns; the page sheet adds the colour class after them.
inline constexpr std::size_t kTableColumnCount = 20;
inline constexpr std::size_t kPageSheetColumnCount = 21;

using TableRow = std::array<std::string, kPageSheetColumnCount>;

// "パス", "ページ", ... "理由", "A4換算", "色区分".
const std::array<std::string_view, kPageSheetColumnCount>& TableHeadings();

// Whether a column holds numbers (a page number, pixels, a resolution,
// millimetres, A4 units): a cell there is a number unless it is empty or
// "?".
bool IsNumberColumn(std::size_t column);

// The rows of one file: one per page read, then a row for a file that is
// not a TIFF, cannot be opened or is damaged, with its status and reason.
std::vector<TableRow> TableRows(const std::string& path, const TiffReadResult& read);
// The same with the pages' facts worked out already (DescribePages).
std::vector<TableRow> TableRows(const std::string& path, const TiffReadResult& read,
                                std::span<const PageFacts> facts);

// The row of a path that added nothing to the input list because it could
// not be used (a folder that cannot be listed, a path that is not there).
// The status column's text for a file: "正常", what a locked file needs, or
// why it could not be read.
std::string_view FileStatus(const TiffReadResult& read);

TableRow InputProblemRow(const std::string& path, const std::string& reason);

// What bureaus check before billing or archiving, ";"-separated.
std::string PageNotes(const PageInfo& page, bool paperIsOther);

}  // namespace folvane
