#include "bytes/byte_source.h"

#include <algorithm>

namespace folvane {

std::optional<std::size_t> MemoryByteSource::ReadAt(std::uint64_t offset,
                                                    std::span<std::uint8_t> dest) {
    if (offset >= bytes_.size()) return 0;
    const auto available = static_cast<std::size_t>(bytes_.size() - offset);
    const std::size_t n = std::min(dest.size(), available);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), n, dest.begin());
    return n;
}

}  // namespace folvane
