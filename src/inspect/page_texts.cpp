#include "inspect/page_texts.h"

#include "inspect/number_format.h"
#include "inspect/snap_dimension.h"

namespace folvane {

std::string DigitsText(std::optional<std::uint64_t> value) {
    return value ? std::to_string(*value) : std::string();
}

std::string ResolutionText(std::optional<double> value) {
    return value ? FormatResolution(*value) : std::string();
}

std::string_view UnitText(std::optional<ResolutionUnit> unit) {
    if (unit == ResolutionUnit::None) return "???";
    if (unit == ResolutionUnit::Centimetre) return "d/cm";
    return "dpi";
}

std::string MillimetreText(std::optional<double> pixels, std::optional<double> resolution,
                           std::optional<ResolutionUnit> unit, bool grouped) {
    const auto millimetres = Millimetres(pixels, resolution, unit);
    if (!millimetres) return "?";
    const double rounded = RoundHalfAwayFromZero(*millimetres);
    return grouped ? FormatWholeGrouped(rounded) : FormatWhole(rounded);
}

}  // namespace folvane
