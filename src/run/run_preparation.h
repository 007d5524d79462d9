// The checks a run makes before it touches anything.
#pragma once

#include <optional>
#include <string_view>

#include "paper/tally_resolution.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

struct RunPreparation {
    // The message to show instead of running, when the run must not start.
    std::optional<std::string_view> refusal;
    TallyResolutions tally;
};

// Refuses with "ファイルを選択してください。" while no files were added,
// and when a resolution box holds text that is not a number in range.
RunPreparation PrepareRun(const FormState& state, const SelectionState& selection);

}  // namespace folvane
