// The main window's lasting values, as plain data shared by the runs, the
// inspection and the window. One instance lives as long as the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/size_counts.h"
#include "state/texts.h"

namespace folvane {

// A path given as input that added nothing to the list because it could
// not be used (a folder that cannot be listed, a path that is not there),
// with its reason in Japanese. Every run lists it among the files with
// errors, so no file drops out of a count without a word.
struct InputProblem {
    std::string path;
    std::string reason;
};

struct FormState {
    std::string CurrentFile;  // path of the file being inspected
    std::string SavePath;     // result file chosen in the Save-As dialog
    std::int64_t TotalPages = 0;
    int ColumnCount = 0;  // page columns of the page line composed last
    std::int16_t FilesAdded = 0;
    // 0 nothing to save, 1 results displayed and not saved, 2 saved.
    std::int16_t ResultState = 0;
    std::string PageLine;
    std::string HeaderLine;
    // The heading, then per file without a TIFF byte-order mark CR LF, TAB, path.
    std::string NotTiffText{text::kNotTiffHeading};
    // The same for files that could not be read or whose directories are
    // damaged, and for InputProblems, each path followed by TAB and reason.
    std::string ErrorFileText{text::kErrorFileHeading};
    // Kept from the additions to the input list until it is cleared.
    std::vector<InputProblem> InputProblems;
    std::uint64_t DirectoryOffset = 0;
    SizeCounts SizeTally;
    std::string SizeSummaryText;
};

}  // namespace folvane
