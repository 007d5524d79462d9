// What folvane-cli does once its options are parsed.
#pragma once

#include "cli/cli_options.h"
#include "input/input_list.h"
#include "input/path_list.h"

namespace folvane::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitOutputFailed = 1,
    kExitUsage = 2,
    kExitFilesWithErrors = 3,  // complete, but some files were not readable TIFF files
};

// Expands the paths as a drop onto the input list would, runs, and writes
// the result. Messages go to standard error.
int RunCommandLine(const CliOptions& options);

// The input list for the given paths: expanded with `threads` looks in
// flight, sorted, without duplicates, each file once under the spelling
// that comes first. Problems with paths are added to `problems`; those
// whose path was not added to the list are reported on standard error, as
// are the later spellings of a file ("同じファイルです: first").
// `withPdf` takes *.pdf files too. With `threadsFromMemory`, only that
// many look at once until looks wait on the storage.
PathList BuildInputList(const std::vector<std::string>& paths, bool recursive, unsigned threads,
                        std::vector<PathProblem>& problems, bool withPdf = false,
                        unsigned threadsFromMemory = 0);

}  // namespace folvane::cli
