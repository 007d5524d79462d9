// A run straight into a workbook: the pages, the invoice totals, the
// folders, the problems and how the run was made, in five sheets. The
// command line's --format xlsx and the windows' Save As both run this.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "input/path_list.h"
#include "inspect/tiff_file_source.h"
#include "output/workbook_writer.h"
#include "platform/output_file.h"
#include "run/run_sinks.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

// What the "情報" sheet says about the run besides the selection.
struct WorkbookRunInfo {
    std::string madeAt;  // when the run was made, as LocalTimeText gives it
    bool recursive = false;
    bool pdf = false;
};

// The local time as "2026-12-07 16:50:09".
std::string LocalTimeText();

// Reads `files` in order through `source` and writes the workbook's bytes
// to `out` (which the caller finishes). `inputProblems` are the paths that
// added nothing to the list. False when writing failed; `error` then says
// why.
bool WriteWorkbookRun(const InputFiles& files, std::span<const InputProblem> inputProblems,
                      const SelectionState& selection, const WorkbookRunInfo& info,
                      TiffFileSource& source, ProgressSink& progress, OutputStream& out,
                      std::string& error, std::size_t rowsPerSheet = kSheetDataRows);

}  // namespace folvane
