#include "platform/terminal.h"

#include <cctype>

namespace folvane {

OutputEncoding EncodingForCodeset(std::string_view codeset) {
    // glibc says "UTF-8"; other systems and hand-made locales spell it
    // "utf8", "UTF8" or "utf_8".
    std::string_view rest = "utf8";
    for (const char c : codeset) {
        if (c == '-' || c == '_') continue;
        if (rest.empty() ||
            std::tolower(static_cast<unsigned char>(c)) != static_cast<unsigned char>(rest[0]))
            return OutputEncoding::Cp932;
        rest.remove_prefix(1);
    }
    return rest.empty() ? OutputEncoding::Utf8 : OutputEncoding::Cp932;
}

bool LocaleNameSaysUtf8(std::string_view name) {
    const auto dot = name.find('.');
    if (dot == std::string_view::npos) return false;
    std::string_view codeset = name.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    return !codeset.empty() && EncodingForCodeset(codeset) == OutputEncoding::Utf8;
}

}  // namespace folvane
