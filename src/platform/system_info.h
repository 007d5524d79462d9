// The about box's system-information button: where the tool is found and
// how it is started, written against the registry and program launcher so
// that every way through can be tried without the system's own.
#pragma once

#include <string>
#include <string_view>

#include "platform/program_launcher.h"
#include "platform/registry.h"

namespace folvane {

// Reads the value `subKeyRef` of `keyName` under `keyRoot` into `keyVal`.
// A text value is taken as it is; a 32-bit number as "&h" followed by its
// hexadecimal digits; a value of another type leaves `keyVal` as it was
// but still counts as read. When the key or the value cannot be read,
// `keyVal` becomes empty and the result is false.
bool GetKeyValue(const Registry& registry, RegistryRoot keyRoot, std::string_view keyName,
                 std::string_view subKeyRef, std::string& keyVal);

// Where the tool's path is written, and where its folder is.
inline constexpr std::string_view kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kSysInfoPathValue = "PATH";
inline constexpr std::string_view kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kSysInfoFolderValue = "MSINFO";
inline constexpr std::string_view kSysInfoProgramName = "\\MSINFO32.EXE";

enum class SysInfoOutcome {
    Started,
    Unavailable,  // the caller says "現時点ではｼｽﾃﾑ情報を使用できません"
};

// Starts the system-information tool without waiting for it: the path the
// registry names (not tested for existence), else the tool in the folder
// the registry names when it is there, else the program the launcher finds
// on the search path. Unavailable when none of them gives a program or
// starting it fails.
SysInfoOutcome StartSysInfo(const Registry& registry, ProgramLauncher& launcher);

}  // namespace folvane
