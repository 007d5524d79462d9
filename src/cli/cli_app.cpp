#include "cli/cli_app.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "cli/progress_line.h"
#include "cli/table_format.h"
#include "input/input_list.h"
#include "inspect/result_list_sink.h"
#include "platform/output_file.h"
#include "platform/terminal.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/read_ahead.h"
#include "run/read_threads.h"
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

// Adds the lines of a path list (UTF-8, CR LF or LF) to `paths`.
bool ReadPathList(const std::string& name, std::vector<std::string>& paths) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (name != "-") {
        file.open(std::filesystem::path(std::u8string(name.begin(), name.end())), std::ios::binary);
        if (!file) return false;
        in = &file;
    }
    std::string line;
    while (std::getline(*in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) paths.push_back(line);
    }
    return !in->bad();
}

// Passes reads through and remembers whether any file had a problem.
class ProblemCountingSource final : public TiffFileSource {
  public:
    explicit ProblemCountingSource(TiffFileSource& inner) : inner_(inner) {}
    TiffReadResult Read(const std::string& path) override {
        TiffReadResult result = inner_.Read(path);
        if (result.status != TiffReadStatus::Complete) ++problems;
        return result;
    }
    std::int64_t problems = 0;

  private:
    TiffFileSource& inner_;
};

bool WriteTable(const InputFiles& files, bool byteOrderMark, OutputStream& stream,
                LineWriter& writer, TiffFileSource& source, ProgressSink& progress) {
    // A byte-order mark lets spreadsheet programs recognise UTF-8.
    if (byteOrderMark && !stream.Write("\xEF\xBB\xBF")) return false;
    if (!writer.WriteLine(TableHeaderRow())) return false;
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    std::int64_t pages = 0;
    bool written = true;
    for (std::size_t i = 0; i < files.Count() && written; ++i) {
        const std::string path = files.At(i);
        const TiffReadResult read = source.Read(path);
        pages += static_cast<std::int64_t>(read.pages.size());
        for (const auto& row : TableRows(path, read))
            if (!writer.WriteLine(row)) written = false;
        progress.FileDone(static_cast<std::int64_t>(i), pages);
    }
    progress.End();
    return written;
}

unsigned JobCount(unsigned requested) { return requested != 0 ? requested : DefaultReadThreads(); }

}  // namespace

PathList BuildInputList(const std::vector<std::string>& paths, bool recursive) {
    PathList list;
    std::vector<PathProblem> problems;
    for (const auto& path : paths) {
        if (recursive) {
            AddDroppedPathRecursive(path, list, problems);
        } else {
            AddDroppedPath(path, list, problems);
        }
    }
    for (const auto& problem : problems) PrintError(Describe(problem));
    list.SortAndRemoveDuplicates();
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
    std::vector<std::string> paths = options.paths;
    if (options.filesFrom && !ReadPathList(*options.filesFrom, paths)) {
        PrintError("パスの一覧を読めません: " + *options.filesFrom);
        return kExitUsage;
    }
    const PathList files = BuildInputList(paths, options.recursive);

    OpenedOutput output;
    OutputEncoding encoding = options.encoding.value_or(OutputEncoding::Cp932);
    bool toTerminal = false;
    if (options.output.empty() || options.output == "-") {
        // A terminal shows the results in its own encoding, so that they
        // can be read there; redirected, they are the result file as ever.
        const std::optional<OutputEncoding> terminal =
            options.encoding ? std::nullopt : TerminalEncoding(StandardStream::Output);
        toTerminal = terminal.has_value();
        encoding = terminal.value_or(encoding);
        output.stream = toTerminal ? TerminalStandardOutput() : StandardOutput();
    } else {
        output = CreateReplacingFile(options.output);
        if (!output.stream) {
            PrintError(output.error);
            return kExitOutputFailed;
        }
    }
    EncodedLineWriter writer(*output.stream, encoding);

    ProgressLine progressLine;
    NoProgress noProgress;
    ProgressSink& progress = !options.quiet && StandardErrorIsTerminal()
                                 ? static_cast<ProgressSink&>(progressLine)
                                 : noProgress;

    const unsigned jobs = JobCount(options.jobs);
    std::unique_ptr<ReadAhead> readAhead;
    if (jobs > 1) readAhead = std::make_unique<ReadAhead>(files, jobs);
    ProblemCountingSource source(readAhead ? static_cast<TiffFileSource&>(*readAhead)
                                           : DefaultTiffFileSource());

    bool written = false;
    switch (options.format) {
        case OutputFormat::Direct:
            written = RunDirectSave(state, options.selection, preparation.tally, files, writer,
                                    progress, source);
            break;
        case OutputFormat::Display: {
            VectorResultList resultList;
            const std::string resultText = RunDisplayed(state, options.selection, preparation.tally,
                                                        files, resultList, progress, source);
            written = WriteDisplayedResults(resultList.lines, resultText, writer);
            break;
        }
        case OutputFormat::Table:
            // A terminal has no use for the mark that spreadsheets need.
            written = WriteTable(files, encoding == OutputEncoding::Utf8 && !toTerminal,
                                 *output.stream, writer, source, progress);
            break;
    }
    if (!written || !output.stream->Finish()) {
        PrintError(output.stream->ErrorMessage());
        return kExitOutputFailed;
    }
    return source.problems > 0 ? kExitFilesWithErrors : kExitOk;
}

}  // namespace folvane::cli
