// The number formats take an integer shortcut for whole values; they must
// still write exactly what printf's "%.15G" and "%.0f" write, on the
// shortcut's edges and on random doubles alike.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "inspect/number_format.h"

namespace folvane {
namespace {

std::string Printf(const char* format, double value) {
    if (value == 0) return "0";  // both formats write no "-0"
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

void ExpectLikePrintf(double value) {
    EXPECT_EQ(FormatResolution(value), Printf("%.15G", value)) << value;
    const double rounded = RoundHalfAwayFromZero(value);
    EXPECT_EQ(FormatWhole(rounded), Printf("%.0f", rounded)) << rounded;
}

TEST(NumberFormatDifferential, EdgesOfTheIntegerShortcut) {
    for (const double v :
         {1.0, -1.0, 72.0, 300.0, 0.5, -0.5, 1.0 / 3, 2.5, 1e-5, 999999999999999.0, 1e15 - 0.5,
          1e15, 1e15 + 2, -1e15, 1e16, 1e20, 9007199254740993.0, 1.7e308, -0.0})
        ExpectLikePrintf(v);
    for (int e = 0; e < 64; ++e) {
        const double p = std::ldexp(1.0, e);
        for (const double v : {p - 1, p, p + 1, -p}) ExpectLikePrintf(v);
    }
}

TEST(NumberFormatDifferential, RandomDoubles) {
    std::mt19937_64 rng(20240607);
    for (int i = 0; i < 100000; ++i) {
        const double any = std::bit_cast<double>(rng());
        if (std::isfinite(any)) ExpectLikePrintf(any);
        ExpectLikePrintf(static_cast<double>(static_cast<std::int64_t>(rng()) >> (rng() % 64)));
        ExpectLikePrintf(static_cast<double>(rng() % 200000) / 8 - 10000);
    }
}

}  // namespace
}  // namespace folvane
