#include "inspect/number_format.h"

#include <cmath>
#include <cstdio>

namespace folvane {

std::string FormatResolution(double value) {
    if (value == 0) return "0";  // no "-0"
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

std::string FormatWhole(double rounded) {
    if (rounded == 0) return "0";
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

double RoundHalfAwayFromZero(double value) { return std::round(value); }

}  // namespace folvane
