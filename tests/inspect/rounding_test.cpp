// Millimetres are rounded halves away from zero, and both builds must give
// the same whole number for the same double: right at a half, and one step
// (one unit in the last place) either side of it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "inspect/number_format.h"
#include "inspect/page_texts.h"

namespace folvane {
namespace {

double NextDown(double v) {
    return v > 0 ? std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) - 1)
                 : -std::bit_cast<double>(std::bit_cast<std::uint64_t>(-v) + 1);
}
double NextUp(double v) { return -NextDown(-v); }

// For k + 0.5: the double just below rounds to k, the half and the double
// just above to k + 1; the same mirrored for negative values.
void ExpectAroundHalf(std::int64_t k) {
    const double half = static_cast<double>(k) + 0.5;
    const auto whole = [](std::int64_t n) { return static_cast<double>(n); };
    EXPECT_EQ(RoundHalfAwayFromZero(NextDown(half)), whole(k)) << k;
    EXPECT_EQ(RoundHalfAwayFromZero(half), whole(k + 1)) << k;
    EXPECT_EQ(RoundHalfAwayFromZero(NextUp(half)), whole(k + 1)) << k;
    EXPECT_EQ(RoundHalfAwayFromZero(-NextDown(half)), -whole(k)) << k;
    EXPECT_EQ(RoundHalfAwayFromZero(-half), -whole(k + 1)) << k;
    EXPECT_EQ(RoundHalfAwayFromZero(-NextUp(half)), -whole(k + 1)) << k;
}

TEST(Rounding, NextToEveryHalfUpToTheLargestPaper) {
    // Every half a millimetre size can take on the largest paper and well beyond.
    for (std::int64_t k = 0; k <= 20000; ++k) ExpectAroundHalf(k);
}

TEST(Rounding, NextToHalvesOfEveryMagnitude) {
    // k + 0.5 is a double up to 2^52; above, every double is whole.
    for (int bits = 14; bits < 52; ++bits) {
        const std::int64_t p = std::int64_t{1} << bits;
        for (const std::int64_t k : {p - 1, p, p + 1, p + p / 3}) ExpectAroundHalf(k);
    }
}

TEST(Rounding, WholeAndSpecialValuesStay) {
    constexpr double kTwo52 = 4503599627370496.0;
    for (const double v :
         {0.0, 1.0, -1.0, 1189.0, kTwo52, kTwo52 + 1, -kTwo52 - 1, 1e300, -1e300,
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(RoundHalfAwayFromZero(v), v) << v;
    EXPECT_EQ(RoundHalfAwayFromZero(NextDown(kTwo52)), kTwo52);  // 2^52 - 0.5 rounds up
    EXPECT_TRUE(std::signbit(RoundHalfAwayFromZero(-0.25)));
    EXPECT_TRUE(RoundHalfAwayFromZero(std::numeric_limits<double>::quiet_NaN()) !=
                RoundHalfAwayFromZero(std::numeric_limits<double>::quiet_NaN()));
}

TEST(Rounding, FivePixelsAt254DpiAreZeroMillimetres) {
    // 5 / 254 * 25.4 is 0.49999999999999994, one step below a half.
    EXPECT_EQ(5.0 / 254.0 * 25.4, NextDown(0.5));
    EXPECT_EQ(MillimetreText(5, 254.0, ResolutionUnit::Inch, true), "0");
    EXPECT_EQ(MillimetreText(15, 254.0, ResolutionUnit::Inch, true), "2");  // 1.5 exactly
}

}  // namespace
}  // namespace folvane
