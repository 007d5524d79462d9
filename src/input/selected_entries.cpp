#include "input/selected_entries.h"

#include "input/input_examination.h"

namespace folvane {

bool AddSelectedEntry(const std::string& entry, std::vector<std::string>& list,
                      std::vector<PathProblem>& problems) {
    ExaminationRules rules;
    rules.anyNamedFile = true;
    const ExaminedInputs examined = ExamineInputs(std::span<const std::string>(&entry, 1), rules);
    for (std::size_t i = 0; i < examined.files.Count(); ++i) list.push_back(examined.files.At(i));
    problems.insert(problems.end(), examined.problems.begin(), examined.problems.end());
    return examined.problems.empty();
}

}  // namespace folvane
