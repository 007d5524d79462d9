// Feeds arbitrary bytes to the decoder of path lists: it must never crash,
// and whatever it accepts must be paths a run can take: valid UTF-8, none
// empty, none holding a NUL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input/path_list_text.h"
#include "platform/utf8.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = folvane::WellFormedUtf8Length(text.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const folvane::DecodedPathList list = folvane::DecodePathList(bytes);
    if (!list.ok()) {
        Require(list.paths.empty());
        return 0;
    }
    for (const auto& path : list.paths) {
        Require(!path.empty());
        Require(path.find('\0') == std::string::npos);
        Require(IsUtf8(path));
    }
    return 0;
}
