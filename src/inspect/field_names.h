// Names of compression schemes and colour types as the result lines show them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace folvane {

std::string_view CompressionNameFor(std::uint64_t compression);

// The name depends on the bits per sample recorded so far in the directory
// (absent counts as 0).
std::string_view ColorNameFor(std::uint64_t photometric,
                              std::optional<std::uint64_t> bitsPerSample);

}  // namespace folvane
