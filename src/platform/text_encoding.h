// Converting the program's UTF-8 texts to the encoding of a result file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace folvane {

enum class OutputEncoding {
    Cp932,  // Shift-JIS as Windows code page 932 writes it
    Utf8,
};

// Appends `text` converted to `encoding` to `out`. A character code page
// 932 cannot hold becomes "?" (as does a byte that is not UTF-8); returns
// how many did, so that a save can say names were changed (0 for UTF-8).
std::size_t AppendEncoded(std::string& out, std::string_view text, OutputEncoding encoding);

std::string Encode(std::string_view text, OutputEncoding encoding);

// Whether code page 932 holds every character of `text` (well-formed
// UTF-8 included), so that writing it loses nothing.
bool Cp932HoldsAll(std::string_view text);

}  // namespace folvane
