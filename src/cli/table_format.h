// The table output: one CSV row per page, streamed as files are read, for
// spreadsheets and billing scripts.
#pragma once

#include <string>
#include <vector>

#include "inspect/tiff_reader.h"
#include "run/run_sinks.h"

namespace folvane::cli {

// RFC 4180: a field holding a comma, quote, CR or LF is quoted, quotes doubled.
std::string CsvField(const std::string& field);

std::string TableHeaderRow();

// The rows of one file: one per page read, then a row for a file that is
// not a TIFF, cannot be opened or is damaged, with its status and reason.
std::vector<std::string> TableRows(const std::string& path, const TiffReadResult& read);

// The row of a path that added nothing to the input list because it could
// not be used (a folder that cannot be listed, a path that is not there).
std::string InputProblemRow(const std::string& path, const std::string& reason);

// What bureaus check before billing or archiving, ";"-separated.
std::string PageNotes(const PageInfo& page, bool paperIsOther);

}  // namespace folvane::cli
