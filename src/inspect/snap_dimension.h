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
// or 0: the size is then unknown. `pixels` may be a fraction: a PDF page
// without an image is measured in points at 72 per inch.
std::optional<double> Millimetres(std::optional<double> pixels, std::optional<double> resolution,
                                  std::optional<ResolutionUnit> unit);

// A side snapped to the nominal value of its band ("210"), or, when no band
// holds it, the rounded millimetres ("1600"), or "?" when unknown.
struct SnappedDimension {
    bool nominal = false;
    std::string text;
};

SnappedDimension SnapDimension(std::optional<double> pixels, std::optional<double> resolution,
                               std::optional<ResolutionUnit> unit);

// What a page's millimetres, paper and orientation are worked out from:
// its pixels at its resolution, or, for a PDF page that paints no image,
// its box in points at 72 points an inch.
struct PageSides {
    std::optional<double> width;
    std::optional<double> height;
    std::optional<double> xResolution;
    std::optional<double> yResolution;
    std::optional<ResolutionUnit> unit;
    bool landscape = true;  // absent sides count as 0, so a page without sizes is landscape
};

PageSides SidesOf(const PageInfo& page);

}  // namespace folvane
