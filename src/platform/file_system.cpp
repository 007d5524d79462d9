#include "platform/file_system.h"

namespace folvane {

bool HasTifExtensionIgnoringCase(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ext = name.data() + name.size() - 4;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return ext[0] == '.' && lower(ext[1]) == 't' && lower(ext[2]) == 'i' && lower(ext[3]) == 'f';
}

}  // namespace folvane
