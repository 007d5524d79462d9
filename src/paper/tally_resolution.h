// The two resolutions the user types to split the size summary.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "paper/tally_table.h"

namespace folvane {

struct TallyResolution {
    bool valid = true;                  // false: text that is not a number in range
    std::optional<std::int16_t> value;  // empty text: unset
};

// Empty text is unset; otherwise blanks around an optional sign, digits and
// an optional decimal fraction, rounded half to even into -32768..32767.
TallyResolution ParseTallyResolution(std::string_view text);

struct TallyResolutions {
    std::optional<std::int16_t> first;   // from AresoText
    std::optional<std::int16_t> second;  // from BresoText
};

ResolutionClass ClassifyResolution(const TallyResolutions& tally,
                                   std::optional<double> xResolution);

}  // namespace folvane
