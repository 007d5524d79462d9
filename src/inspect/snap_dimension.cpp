#include "inspect/snap_dimension.h"

#include <array>

#include "inspect/number_format.h"

namespace folvane {

namespace {

struct DimensionBand {
    int lower;
    int upper;
    int nominal;
};

// Both bounds belong to a band; a bound shared by two bands takes the
// earlier one.
constexpr std::array<DimensionBand, 16> DimensionBands = {{
    {0, 111, 105},
    {111, 133, 128},
    {133, 157, 148},
    {157, 189, 182},
    {189, 222, 210},
    {222, 267, 257},
    {267, 314, 297},
    {314, 378, 364},
    {378, 444, 420},
    {444, 535, 515},
    {535, 628, 594},
    {628, 757, 728},
    {757, 889, 841},
    {889, 1071, 1031},
    {1071, 1256, 1189},
    {1256, 1513, 1456},
}};

}  // namespace

std::optional<double> Millimetres(std::optional<double> pixels, std::optional<double> resolution,
                                  std::optional<ResolutionUnit> unit) {
    if (!resolution || *resolution == 0) return std::nullopt;
    const double perUnit = unit == ResolutionUnit::Centimetre ? 10.0 : MillimetresPerInch;
    return pixels.value_or(0.0) / *resolution * perUnit;
}

SnappedDimension SnapDimension(std::optional<double> pixels, std::optional<double> resolution,
                               std::optional<ResolutionUnit> unit) {
    const auto millimetres = Millimetres(pixels, resolution, unit);
    if (!millimetres) return {false, "?"};
    const double rounded = RoundHalfAwayFromZero(*millimetres);
    for (const auto& band : DimensionBands) {
        if (band.lower <= rounded && rounded <= band.upper)
            return {true, std::to_string(band.nominal)};
    }
    return {false, FormatWhole(rounded)};
}

PageSides SidesOf(const PageInfo& page) {
    if (page.BoxWidthPoints && page.BoxHeightPoints) {
        constexpr double kPointsPerInch = 72.0;
        return {.width = page.BoxWidthPoints,
                .height = page.BoxHeightPoints,
                .xResolution = kPointsPerInch,
                .yResolution = kPointsPerInch,
                .unit = ResolutionUnit::Inch,
                .landscape = *page.BoxWidthPoints >= *page.BoxHeightPoints};
    }
    auto dots = [](std::optional<std::uint64_t> pixels) -> std::optional<double> {
        if (!pixels) return std::nullopt;
        return static_cast<double>(*pixels);
    };
    return {.width = dots(page.Width),
            .height = dots(page.Height),
            .xResolution = page.XResolution,
            .yResolution = page.YResolution,
            .unit = page.UnitName,
            .landscape = page.Width.value_or(0) >= page.Height.value_or(0)};
}

}  // namespace folvane
