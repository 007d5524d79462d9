#include "inspect/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace folvane {

namespace {

// Every page line formats several numbers, almost all of them whole and
// small; printf's floating-point path cost a third of a run's time. Below
// 10^15 a whole double converts to an integer exactly, and its digits are
// what both printf formats below write for it.
constexpr double kExactWholeLimit = 1e15;

bool IsSmallWhole(double value) {
    return std::fabs(value) < kExactWholeLimit && value == std::trunc(value);
}

std::string IntegerDigits(double value) {
    char buffer[24];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(value));
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string FormatResolution(double value) {
    if (value == 0) return "0";  // no "-0"
    if (IsSmallWhole(value)) return IntegerDigits(value);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

std::string FormatWhole(double rounded) {
    if (rounded == 0) return "0";
    if (IsSmallWhole(rounded)) return IntegerDigits(rounded);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
    return buffer;
}

std::string FormatWholeGrouped(double rounded) {
    const std::string digits = FormatWhole(rounded);
    const std::size_t signLength = digits[0] == '-' ? 1 : 0;
    std::string grouped = digits.substr(0, signLength);
    const std::size_t count = digits.size() - signLength;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) grouped += ',';
        grouped += digits[signLength + i];
    }
    return grouped;
}

double RoundHalfAwayFromZero(double value) {
    // Not std::round: MinGW-w64's C runtime adds 0.5 and truncates, which
    // turns 0.49999999999999994 into 1, so the two builds would disagree.
    // From 2^52 up every double is whole already (and NaN stays NaN).
    constexpr double kAllWhole = 4503599627370496.0;  // 2^52
    if (!(value > -kAllWhole && value < kAllWhole)) return value;
    // Converting to an integer drops the fraction exactly, and value minus
    // its whole part is exact too (it needs no more bits than value has),
    // so the comparison with one half sees the true fraction.
    const auto whole = static_cast<std::int64_t>(value);
    const double fraction = value - static_cast<double>(whole);
    std::int64_t rounded = whole;
    if (fraction >= 0.5) ++rounded;
    if (fraction <= -0.5) --rounded;
    // Keep the sign of a negative value that rounds to zero, as round does.
    if (rounded == 0) return value < 0 ? -0.0 : 0.0;
    return static_cast<double>(rounded);
}

}  // namespace folvane
