#include "input/taken_names.h"

namespace folvane {

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    if (text.size() < end.size()) return false;
    text.remove_prefix(text.size() - end.size());
    for (std::size_t i = 0; i < end.size(); ++i)
        if (FoldAscii(text[i]) != end[i]) return false;
    return true;
}

}  // namespace

bool TakesNamedFile(std::string_view path, bool withPdf) {
    return path.ends_with(".tif") || (withPdf && EndsWithIgnoringCase(path, ".pdf"));
}

bool TakesListedFile(std::string_view name, bool withPdf) {
    return EndsWithIgnoringCase(name, ".tif") || (withPdf && EndsWithIgnoringCase(name, ".pdf"));
}

}  // namespace folvane
