#include "inspect/inspect_tiff_file.h"

namespace folvane {

TiffFileSource& DefaultTiffFileSource() {
    // Stateless, so one instance serves every thread.
    static DirectTiffFileSource source;
    return source;
}

void InspectTiffFile(FormState& state, const SelectionState& selection,
                     const TallyResolutions& tally, ResultListSink& resultList,
                     TiffFileSource& source) {
    const TiffReadResult read = source.Read(state.CurrentFile);
    ComposeFileLines(state, selection, tally, read, resultList);
}

}  // namespace folvane
