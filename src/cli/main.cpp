// folvane-cli: the inspection engine without a window, for scripts and
// batch jobs.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_options.h"
#include "platform/output_file.h"
#include "platform/terminal.h"

#ifdef _WIN32
#include "platform/windows/wide_text.h"
#endif

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
    if (parsed.options.help) return PrintToStandardOutput(UsageText());
    if (parsed.options.version) return PrintToStandardOutput("Folvane 1.0.0\n");
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
