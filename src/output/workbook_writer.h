// An .xlsx workbook written sheet by sheet, row by row, in constant
// memory: each sheet's rows go to a scratch file as they come, and the
// finished workbook is copied into the output at the end, so the output
// keeps its safety (replaced only once complete) and memory stays flat
// for any number of rows. Every sheet has its header row frozen, an
// autofilter over its rows, and columns as wide as their texts.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/output_file.h"

namespace folvane {

// Rows a sheet holds below its header row; more go on in "NAME (2)", ...
inline constexpr std::size_t kSheetDataRows = 1048575;

class WorkbookWriter {
  public:
    // Tells the number columns of a sheet: a cell there that reads as a
    // number is written as one, anything else (an empty cell, "?") as text.
    using NumberColumns = bool (*)(std::size_t column);

    explicit WorkbookWriter(std::size_t rowsPerSheet = kSheetDataRows);
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Starts the workbook in the scratch folder; false with the reason in
    // ErrorMessage() when it cannot.
    bool Open();

    // Adds a sheet (after those added before) and returns its number.
    int AddSheet(std::string_view name, std::span<const std::string> headings,
                 NumberColumns numberColumns);
    // Adds a row below the last one of `sheet`. Texts are written as texts,
    // never as formulas.
    bool AddRow(int sheet, std::span<const std::string> cells);

    // Assembles the workbook and writes its bytes to `out` (not finished:
    // the caller finishes it). The scratch files are gone afterwards.
    bool WriteTo(OutputStream& out);

    const std::string& ErrorMessage() const { return error_; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string error_;
};

}  // namespace folvane
