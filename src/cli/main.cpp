// folvane-cli: the inspection engine without a window, for scripts and
// batch jobs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"

int main(int argc, char** argv) {
    using namespace folvane::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitOk;
    }
    if (parsed.options.version) {
        std::fputs("Folvane 1.0.0\n", stdout);
        return kExitOk;
    }
    if (parsed.usageError) {
        const std::string line = "folvane-cli: " + *parsed.usageError + "\n";
        std::fputs(line.c_str(), stderr);
        return kExitUsage;
    }
    return RunCommandLine(parsed.options);
}
