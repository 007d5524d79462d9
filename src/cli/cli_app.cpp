#include "cli/cli_app.h"

#include "cli/progress_line.h"
#include "input/input_list.h"
#include "inspect/result_list_sink.h"
#include "platform/output_file.h"
#include "platform/terminal.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/result_file.h"
#include "run/run_preparation.h"

namespace folvane::cli {

namespace {

void PrintError(const std::string& message) {
    WriteToStandardError("folvane-cli: " + message + "\n");
}

std::string Describe(const PathProblem& problem) {
    switch (problem.kind) {
        case PathProblem::Kind::Missing:
            return "見つかりません: " + problem.path;
        case PathProblem::Kind::Unreadable:
            return "調べられません: " + problem.path;
        case PathProblem::Kind::FolderUnreadable:
            return "フォルダを開けません: " + problem.path;
    }
    return problem.path;
}

}  // namespace

std::vector<std::string> BuildInputList(const std::vector<std::string>& paths) {
    std::vector<std::string> list;
    std::vector<PathProblem> problems;
    for (const auto& path : paths) AddDroppedPath(path, list, problems);
    for (const auto& problem : problems) PrintError(Describe(problem));
    SortInputList(list);
    RemoveDuplicateEntries(list);
    return list;
}

int RunCommandLine(const CliOptions& options) {
    FormState state;
    state.FilesAdded = 1;
    const RunPreparation preparation = PrepareRun(state, options.selection);
    if (preparation.refusal) {
        PrintError(std::string(*preparation.refusal));
        return kExitUsage;
    }
    const std::vector<std::string> files = BuildInputList(options.paths);

    OpenedOutput output;
    if (options.output.empty() || options.output == "-") {
        output.stream = StandardOutput();
    } else {
        output = CreateReplacingFile(options.output);
        if (!output.stream) {
            PrintError(output.error);
            return kExitOutputFailed;
        }
    }
    EncodedLineWriter writer(*output.stream, options.encoding);

    ProgressLine progressLine;
    NoProgress noProgress;
    ProgressSink& progress = !options.quiet && StandardErrorIsTerminal()
                                 ? static_cast<ProgressSink&>(progressLine)
                                 : noProgress;

    bool written = false;
    if (options.display) {
        VectorResultList resultList;
        const std::string resultText =
            RunDisplayed(state, options.selection, preparation.tally, files, resultList, progress);
        written = WriteDisplayedResults(resultList.lines, resultText, writer);
    } else {
        written =
            RunDirectSave(state, options.selection, preparation.tally, files, writer, progress);
    }
    if (!written || !output.stream->Finish()) {
        PrintError(output.stream->ErrorMessage());
        return kExitOutputFailed;
    }
    return kExitOk;
}

}  // namespace folvane::cli
