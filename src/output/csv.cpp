#include "output/csv.h"

namespace folvane {

namespace {

bool LooksLikeFormula(std::string_view field) {
    if (field.empty()) return false;
    switch (field.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string CsvField(std::string_view field, bool number) {
    std::string text;
    if (!number && LooksLikeFormula(field)) text = "'";
    text += field;
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvLine(std::span<const std::string> fields, bool (*isNumber)(std::size_t)) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(fields[i], isNumber(i));
    }
    return line;
}

}  // namespace folvane
