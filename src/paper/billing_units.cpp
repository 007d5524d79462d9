#include "paper/billing_units.h"

#include <array>
#include <cmath>

namespace folvane {

std::uint32_t A4Units(std::optional<double> widthMm, std::optional<double> heightMm) {
    if (!widthMm || !heightMm) return 1;
    const double area = std::abs(*widthMm * *heightMm);
    const double units = std::ceil(area / kA4Area - 0.05);
    // Also NaN and the absurd sides of a damaged file end up in range.
    if (!(units > 1.0)) return 1;
    return units < 4.0e9 ? static_cast<std::uint32_t>(units) : 4000000000u;
}

ColourClass ClassifyColour(std::string_view colourName) {
    const auto startsWith = [&](std::string_view prefix) {
        return colourName.substr(0, prefix.size()) == prefix;
    };
    if (startsWith("Bilevel")) return ColourClass::Bilevel;
    if (startsWith("Gray")) return ColourClass::Gray;
    // "RGB", "RGB Palette", "Palette (16 RGB)", "Palette (256 RGB)".
    constexpr std::array<std::string_view, 5> kColour = {"RGB", "Palette", "CMYK", "YCbCr",
                                                         "CIELab"};
    for (const auto name : kColour)
        if (startsWith(name)) return ColourClass::Colour;
    return ColourClass::Unknown;
}

std::string_view ColourClassText(ColourClass colourClass) {
    switch (colourClass) {
        case ColourClass::Bilevel:
            return "白黒";
        case ColourClass::Gray:
            return "グレー";
        case ColourClass::Colour:
            return "カラー";
        case ColourClass::Unknown:
            break;
    }
    return "不明";
}

}  // namespace folvane
