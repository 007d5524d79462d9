#include "run/run_preparation.h"

#include "state/texts.h"

namespace folvane {

RunPreparation PrepareRun(const FormState& state, const SelectionState& selection) {
    RunPreparation preparation;
    if (state.FilesAdded == 0) {
        preparation.refusal = text::kSelectFiles;
        return preparation;
    }
    const auto first = ParseTallyResolution(selection.AresoText);
    const auto second = ParseTallyResolution(selection.BresoText);
    // Checked once here rather than per page, so a bad box stops the run
    // before anything is inspected or written.
    if (!first.valid || !second.valid) {
        preparation.refusal = text::kBadResolution;
        return preparation;
    }
    preparation.tally = {first.value, second.value};
    return preparation;
}

}  // namespace folvane
