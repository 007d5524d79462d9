// Which names the input list takes: the one place that says what a scan's
// file name looks like.
#pragma once

#include <string_view>

namespace folvane {

// A file named on its own (dropped, listed, given on the command line) is
// taken when its path ends in ".tif" exactly, or with `withPdf` in ".pdf"
// in any letter case.
bool TakesNamedFile(std::string_view path, bool withPdf = false);

// A file found by listing a folder is taken when its name ends in ".tif"
// (or with `withPdf` ".pdf") in any letter case.
bool TakesListedFile(std::string_view name, bool withPdf = false);

}  // namespace folvane
