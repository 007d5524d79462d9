// The run that writes every file's lines straight into a result file,
// keeping one file's lines in memory at a time.
#pragma once

#include <span>
#include <string>

#include "input/path_list.h"
#include "inspect/tiff_file_source.h"
#include "paper/tally_resolution.h"
#include "run/run_sinks.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

// Runs over `files` in order once PrepareRun has let it start, writing the
// direct file through `out`. Returns false as soon as a write fails; the
// progress is ended and the file lists are reset on every way out. The
// caller opens the output before and finishes it after.
bool RunDirectSave(FormState& state, const SelectionState& selection, const TallyResolutions& tally,
                   const InputFiles& files, LineWriter& out, ProgressSink& progress,
                   TiffFileSource& source = DefaultTiffFileSource());
bool RunDirectSave(FormState& state, const SelectionState& selection, const TallyResolutions& tally,
                   std::span<const std::string> files, LineWriter& out, ProgressSink& progress,
                   TiffFileSource& source = DefaultTiffFileSource());

}  // namespace folvane
