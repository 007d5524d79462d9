// CSV as spreadsheets read it (RFC 4180), for the table and folder outputs.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace folvane {

// A field holding a comma, quote, CR or LF is quoted, quotes doubled. A
// text field that starts with "=", "+", "-", "@", TAB or CR would be
// taken for a formula by a spreadsheet (a file named "=1+2.tif" would be
// computed), so it gets a leading "'", as spreadsheets expect; a number
// field is written as it is.
std::string CsvField(std::string_view field, bool number = false);

// The fields joined by commas; `isNumber(column)` tells the number columns.
std::string CsvLine(std::span<const std::string> fields, bool (*isNumber)(std::size_t));

}  // namespace folvane
