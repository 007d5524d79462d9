// UTF-8 facts the code page converters share.
#pragma once

#include <cstddef>

namespace folvane {

// Length of the UTF-8 sequence that starts with `lead` (1 for stray bytes).
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace folvane
