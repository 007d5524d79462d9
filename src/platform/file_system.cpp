#include "platform/file_system.h"

namespace folvane {

namespace {

// `extension` is ".xyz" in lower case.
bool HasExtensionIgnoringCase(const std::string& name, const char (&extension)[5]) {
    if (name.size() < 4) return false;
    const char* ext = name.data() + name.size() - 4;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (int i = 0; i < 4; ++i)
        if (lower(ext[i]) != extension[i]) return false;
    return true;
}

}  // namespace

bool HasTifExtensionIgnoringCase(const std::string& name) {
    return HasExtensionIgnoringCase(name, ".tif");
}

bool HasPdfExtensionIgnoringCase(const std::string& name) {
    return HasExtensionIgnoringCase(name, ".pdf");
}

bool IsListedFileName(const std::string& name, bool withPdf) {
    return HasTifExtensionIgnoringCase(name) || (withPdf && HasPdfExtensionIgnoringCase(name));
}

}  // namespace folvane
