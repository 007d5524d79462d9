#include "inspect/inspect_tiff_file.h"

namespace folvane {

void InspectTiffFile(FormState& state, const SelectionState& selection,
                     const TallyResolutions& tally, ResultListSink& resultList) {
    const TiffReadResult read = ReadTiffFile(state.CurrentFile);
    ComposeFileLines(state, selection, tally, read, resultList);
}

}  // namespace folvane
