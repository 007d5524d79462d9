// The parts of a zip package (a workbook), unpacked with zlib, so that
// tests can read a workbook's sheets as a spreadsheet program would.
#pragma once

#include <map>
#include <string>

namespace folvane::testing {

// Part name -> content; empty when `zip` is no zip package.
std::map<std::string, std::string> ZipParts(const std::string& zip);

// The workbook's sheets' XML in order ("xl/worksheets/sheet1.xml", ...),
// leaving out the last `skipLast` (the information sheet holds the time).
std::string SheetsXml(const std::string& zip, int skipLast = 0);

}  // namespace folvane::testing
