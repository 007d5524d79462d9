// What bureaus invoice by beside the paper size: a page's size in A4 units
// and its colour class.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace folvane {

// The area of an A4 sheet in square millimetres (210 x 297).
inline constexpr double kA4Area = 62370.0;

// A page's area over an A4 sheet's, less 0.05 so that the rounding of the
// standard sizes does not tip them over, rounded up, at least 1: A4 and
// smaller 1, A3 2, A2 4, A1 8, A0 16, B4 2, B3 3, B2 6, B1 12. A page
// whose size is unknown (no resolution) counts 1.
std::uint32_t A4Units(std::optional<double> widthMm, std::optional<double> heightMm);

enum class ColourClass : std::uint8_t { Bilevel, Gray, Colour, Unknown };
inline constexpr int kColourClassCount = 4;

// Bilevel -> 白黒, Gray -> グレー, RGB, Palette, CMYK, YCbCr, CIELab ->
// カラー, anything else (a transparency mask, "Unknown", no name) -> 不明;
// from the colour column's name.
ColourClass ClassifyColour(std::string_view colourName);

std::string_view ColourClassText(ColourClass colourClass);

}  // namespace folvane
