// Naming the paper size of a page from its snapped millimetre sides.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace folvane {

enum class Paper : std::uint8_t { A0, A1, A2, A3, A4, A5, A6, B1, B2, B3, B4, B5, B6, Other };

std::string_view PaperNameText(Paper paper);
bool IsASeries(Paper paper);
bool IsBSeries(Paper paper);
// The digit of the name (A0 gives 0, B6 gives 6); meaningless for Other.
int SizeNumber(Paper paper);

// The sides of the A and B series, ascending. B1's long side is 1031.
inline constexpr std::array<int, 15> StandardDimensions = {105, 128, 148, 182, 210, 257,  297, 364,
                                                           420, 515, 594, 728, 841, 1031, 1189};

// The 208 "WIDTHxHEIGHT" keys with their paper, in lookup order (A6 first).
const std::vector<std::pair<std::string, Paper>>& PaperKeyTable();

// Exact, case-sensitive lookup of "WIDTHxHEIGHT"; Other when absent.
Paper LookUpPaper(std::string_view sizeKey);

}  // namespace folvane
