// Inspecting one listed file: reading it, then composing its lines.
#pragma once

#include "inspect/result_lines.h"
#include "inspect/tiff_file_source.h"

namespace folvane {

// Reads the file named by state.CurrentFile and appends its result lines.
void InspectTiffFile(FormState& state, const SelectionState& selection,
                     const TallyResolutions& tally, ResultListSink& resultList,
                     TiffFileSource& source = DefaultTiffFileSource());

}  // namespace folvane
