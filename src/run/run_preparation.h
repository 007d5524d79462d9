// The checks a run makes before it touches anything.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "input/input_list.h"

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

// Keeps the problems met while adding paths to the input list, for every
// run until the list is cleared: those whose path was not added (a path
// that was added is reported by the run as a file it cannot open), each
// path once.
void NoteInputProblems(FormState& state, std::span<const PathProblem> problems);

// At the start of a run: the kept input problems open the list of files
// with errors. Returns how many there are.
std::size_t ListInputProblems(FormState& state);

}  // namespace folvane
