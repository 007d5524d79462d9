// Millimetre sizes of a page side, and snapping them to paper dimensions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "inspect/page_info.h"

namespace folvane {

inline constexpr double MillimetresPerInch = 25.4;

// pixels / resolution in millimetres, taking centimetres as such (per inch
// and no unit both count as inches). Nothing when the resolution is absent
// or 0: the size is then unknown.
std::optional<double> Millimetres(std::optional<std::uint64_t> pixels,
                                  std::optional<double> resolution,
                                  std::optional<ResolutionUnit> unit);

// A side snapped to the nominal value of its band ("210"), or, when no band
// holds it, the rounded millimetres ("1600"), or "?" when unknown.
struct SnappedDimension {
    bool nominal = false;
    std::string text;
};

SnappedDimension SnapDimension(std::optional<std::uint64_t> pixels,
                               std::optional<double> resolution,
                               std::optional<ResolutionUnit> unit);

}  // namespace folvane
