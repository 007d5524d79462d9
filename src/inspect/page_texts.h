// How a page's fields read in result lines and tables; an absent field is
// the empty text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "inspect/page_info.h"

namespace folvane {

std::string DigitsText(std::optional<std::uint64_t> value);

std::string ResolutionText(std::optional<double> value);

// "dpi" per inch and when the unit is absent (the TIFF default), "d/cm",
// and "???" for no physical unit.
std::string_view UnitText(std::optional<ResolutionUnit> unit);

// Whole millimetres, halves away from zero, "?" when the resolution is
// unknown; grouped in thousands ("1,189") or plain ("1189").
std::string MillimetreText(std::optional<double> pixels, std::optional<double> resolution,
                           std::optional<ResolutionUnit> unit, bool grouped);

}  // namespace folvane
