#include "run/run_preparation.h"

#include <unordered_set>

#include "inspect/result_lines.h"
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

void NoteInputProblems(FormState& state, std::span<const PathProblem> problems) {
    std::unordered_set<std::string> known;
    for (const InputProblem& kept : state.InputProblems) known.insert(kept.path);
    for (const PathProblem& problem : problems) {
        if (problem.listed || !known.insert(problem.path).second) continue;
        state.InputProblems.push_back({problem.path, PathProblemReason(problem)});
    }
}

std::size_t ListInputProblems(FormState& state) {
    for (const InputProblem& problem : state.InputProblems)
        AppendListedFile(state.ErrorFileText, problem.path, problem.reason);
    return state.InputProblems.size();
}

}  // namespace folvane
