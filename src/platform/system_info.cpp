#include "platform/system_info.h"

#include <optional>

namespace folvane {

namespace {

std::string HexDigits(std::uint32_t value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return digits;
}

}  // namespace

bool GetKeyValue(const Registry& registry, RegistryRoot keyRoot, std::string_view keyName,
                 std::string_view subKeyRef, std::string& keyVal) {
    const std::optional<RegistryValue> value = registry.QueryValue(keyRoot, keyName, subKeyRef);
    if (!value) {
        keyVal.clear();
        return false;
    }
    switch (value->type) {
        case RegistryValue::Type::Text:
            keyVal = value->text;
            break;
        case RegistryValue::Type::Number:
            keyVal = "&h" + HexDigits(value->number);
            break;
        case RegistryValue::Type::Other:
            break;
    }
    return true;
}

SysInfoOutcome StartSysInfo(const Registry& registry, ProgramLauncher& launcher) {
    std::string path;
    std::optional<std::string> program;
    if (GetKeyValue(registry, RegistryRoot::LocalMachine, kSysInfoPathKey, kSysInfoPathValue,
                    path)) {
        program = path;
    } else if (GetKeyValue(registry, RegistryRoot::LocalMachine, kSysInfoFolderKey,
                           kSysInfoFolderValue, path)) {
        const std::string inFolder = path + std::string(kSysInfoProgramName);
        if (launcher.FileExists(inFolder)) program = inFolder;
    } else {
        // No registry entry at all, as on systems without a registry.
        program = launcher.FindSystemInfoProgram();
    }
    if (!program || !launcher.Start(*program)) return SysInfoOutcome::Unavailable;
    return SysInfoOutcome::Started;
}

}  // namespace folvane
