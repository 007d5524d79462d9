#include "platform/program_arguments.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/windows/wide_text.h"

namespace folvane {

std::vector<std::string> ProgramArguments(int /*argc*/, char** /*argv*/) {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) arguments.push_back(windows::Utf8FromWide(wide[i]));
        LocalFree(wide);
    }
    return arguments;
}

}  // namespace folvane
