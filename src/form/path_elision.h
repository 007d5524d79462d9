// How a path too long for its line in the input list is shortened: the
// middle of its folder part gives way to "…", so that the drive or share it
// starts on and the whole file name stay in view. Both windows draw List1's
// paths this way; each measures text in its own font.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace folvane::form {

inline constexpr std::string_view kEllipsis = "…";

// The drawn width of a UTF-8 text, in the unit `room` is given in.
using TextWidth = std::function<double(std::string_view)>;

// `path` itself when it fits in `room`; else its folder part cut in the
// middle, the file name whole. When not even "…" and the file name fit, the
// end of the file name (its extension) is what stays. Never cuts inside a
// character.
std::string ElidePath(std::string_view path, double room, const TextWidth& width);

}  // namespace folvane::form
