// The run whose results stay on screen: every listed file's lines in the
// result list, then the totals for the totals box.
#pragma once

#include <span>
#include <string>

#include "input/path_list.h"
#include "inspect/result_list_sink.h"
#include "inspect/tiff_file_source.h"
#include "paper/tally_resolution.h"
#include "run/run_sinks.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

// The line of blanks that closes the result list: 18 per column, with room
// for the three leading tabs.
std::string SpacerLine(int columnCount);

// Runs over `files` in order once PrepareRun has let it start. Clears and
// fills `resultList` (SpacerLine last) and returns the text for the totals
// box. Leaves ResultState 1.
std::string RunDisplayed(FormState& state, const SelectionState& selection,
                         const TallyResolutions& tally, const InputFiles& files,
                         ResultListSink& resultList, ProgressSink& progress,
                         TiffFileSource& source = DefaultTiffFileSource());
std::string RunDisplayed(FormState& state, const SelectionState& selection,
                         const TallyResolutions& tally, std::span<const std::string> files,
                         ResultListSink& resultList, ProgressSink& progress,
                         TiffFileSource& source = DefaultTiffFileSource());

// The totals text after the last file: size summary, grand total, and the
// lists of files that were not TIFF files or had errors.
std::string ComposeTotalsText(FormState& state, const SelectionState& selection);

}  // namespace folvane
