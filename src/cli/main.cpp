// folvane-cli: the inspection engine without a window, for scripts and
// batch jobs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "platform/program_arguments.h"
#include "platform/terminal.h"

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

int main(int argc, char** argv) { return RunFolvaneCli(folvane::ProgramArguments(argc, argv)); }
