// folvane-cli: the inspection engine without a window, for scripts and
// batch jobs.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "inspect/visible_path.h"
#include "platform/output_file.h"
#include "platform/program_arguments.h"
#include "platform/terminal.h"

namespace {

// Writes `text` to standard output; a failed write (a full disk, a closed
// pipe) is an error like any other output's.
int PrintToStandardOutput(const std::string& text) {
    const auto out = folvane::StandardOutput();
    if (out->Write(text) && out->Finish()) return folvane::cli::kExitOk;
    folvane::WriteToStandardError("folvane-cli: " + out->ErrorMessage() + "\n");
    return folvane::cli::kExitOutputFailed;
}

int RunFolvaneCli(const std::vector<std::string>& args) {
    using namespace folvane::cli;
    const ParsedCommandLine parsed = ParseCommandLine(args);
    // Messages follow --encoding from the first one on, a failed --help
    // included.
    if (parsed.options.encoding) folvane::SetStandardErrorEncoding(*parsed.options.encoding);
    if (parsed.options.help) return PrintToStandardOutput(UsageText());
    if (parsed.options.version) return PrintToStandardOutput("Folvane 1.0.0\n");
    if (parsed.usageError) {
        folvane::WriteToStandardError("folvane-cli: " + folvane::VisiblePath(*parsed.usageError) +
                                      "\n");
        return kExitUsage;
    }
    return RunCommandLine(parsed.options);
}

}  // namespace

int main(int argc, char** argv) {
    // Nothing the run throws may end the program with a core dump instead
    // of a message and an exit status.
    try {
        return RunFolvaneCli(folvane::ProgramArguments(argc, argv));
    } catch (const std::bad_alloc&) {
        folvane::WriteToStandardError("folvane-cli: メモリが足りません\n");
    } catch (const std::exception& e) {
        folvane::WriteToStandardError(std::string("folvane-cli: ") + e.what() + "\n");
    }
    return folvane::cli::kExitOutputFailed;
}
