// What the reader records for one image directory (one page).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace folvane {

enum class ResolutionUnit : std::uint8_t { None, Inch, Centimetre };

// Every field starts absent; an absent field prints as empty text and
// counts as 0. Names point at static tables and need no storage.
struct PageInfo {
    std::optional<std::uint64_t> Width;
    std::optional<std::uint64_t> Height;
    std::optional<std::uint64_t> BitsPerSample;
    std::string_view CompressionName;
    std::string_view ColorName;
    // Absent also when the fraction could not be read or its denominator is 0.
    std::optional<double> XResolution;
    std::optional<double> YResolution;
    std::optional<ResolutionUnit> UnitName;
    std::optional<std::uint64_t> NewSubfileType;
    // A PDF page that paints no image: its box in points times its user
    // unit, as the page is displayed. Its size in millimetres, paper and
    // orientation come from these (72 points an inch); every field above
    // stays absent.
    std::optional<double> BoxWidthPoints;
    std::optional<double> BoxHeightPoints;
};

}  // namespace folvane
