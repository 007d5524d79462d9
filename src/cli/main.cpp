// folvane-cli: the inspection engine without a window, for scripts and
// batch jobs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "platform/terminal.h"

#ifdef _WIN32
#include "platform/windows/wide_text.h"
#endif

namespace {

int RunFolvaneCli(const std::vector<std::string>& args) {
    using namespace folvane::cli;
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    }
    if (parsed.options.version) {
        std::fputs("Folvane 1.0.0\n", stdout);
        return kExitOk;
    }
    // Messages follow --encoding from the first one on.
    if (parsed.options.encoding) folvane::SetStandardErrorEncoding(*parsed.options.encoding);
    if (parsed.usageError) {
        folvane::WriteToStandardError("folvane-cli: " + *parsed.usageError + "\n");
        return kExitUsage;
    }
    return RunCommandLine(parsed.options);
}

}  // namespace

#ifdef _WIN32
// The arguments as the system holds them, in UTF-16: main()'s narrow
// arguments would have passed through the ANSI code page and lost every
// character of a path that code page lacks.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(folvane::windows::Utf8FromWide(argv[i]));
    return RunFolvaneCli(args);
}
#else
int main(int argc, char** argv) {
    return RunFolvaneCli(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
