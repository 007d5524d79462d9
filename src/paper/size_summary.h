// The per-size summary "サイズ別枚数" rendered from the tally table.
#pragma once

#include <string>
#include <string_view>

#include "paper/tally_table.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

// The ten summary lines, each ending CR LF. The box texts are the column
// headings as typed; an empty box hides its class.
std::string RenderSizeSummary(const TallyTable& tally, std::string_view aresoText,
                              std::string_view bresoText);

void ResetTallies(FormState& state);

// Stores the summary in SizeSummaryText, then resets the tallies.
void BuildSizeSummary(FormState& state, const SelectionState& selection);

}  // namespace folvane
