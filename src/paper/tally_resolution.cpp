#include "paper/tally_resolution.h"

#include <charconv>
#include <cmath>
#include <string>

namespace folvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Returns the number without blanks ("-72.5"), or nothing when the text is
// not of the accepted form.
std::optional<std::string> NormaliseNumber(std::string_view text) {
    text = TrimBlanks(text);
    std::string number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.front() == '-') number += '-';
        text = TrimBlanks(text.substr(1));
    }
    std::size_t intDigits = 0;
    while (intDigits < text.size() && IsDigit(text[intDigits])) ++intDigits;
    std::size_t fracDigits = 0;
    std::size_t end = intDigits;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end, ++fracDigits;
    }
    if (end != text.size() || intDigits + fracDigits == 0) return std::nullopt;
    number += text;
    return number;
}

}  // namespace

TallyResolution ParseTallyResolution(std::string_view text) {
    // An exact comparison with the empty text: a box of blanks is not empty.
    if (text.empty()) return {};
    const auto number = NormaliseNumber(text);
    if (!number) return {.valid = false, .value = std::nullopt};
    double value = 0;
    const char* first = number->data();
    const char* last = first + number->size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return {.valid = false, .value = std::nullopt};
    // The default rounding mode sends an exact half to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0) return {.valid = false, .value = std::nullopt};
    return {.valid = true, .value = static_cast<std::int16_t>(rounded)};
}

ResolutionClass ClassifyResolution(const TallyResolutions& tally,
                                   std::optional<double> xResolution) {
    // An unknown resolution counts as 0, like any value never assigned.
    const double x = xResolution.value_or(0.0);
    if (tally.first && x == static_cast<double>(*tally.first)) return ResolutionClass::A;
    if (tally.second && x == static_cast<double>(*tally.second)) return ResolutionClass::B;
    return ResolutionClass::Rest;
}

}  // namespace folvane
