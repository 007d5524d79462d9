#include "cli/cli_app.h"

#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>

#include "cli/progress_line.h"
#include "input/input_examination.h"
#include "input/input_list.h"
#include "input/path_list_text.h"
#include "inspect/result_list_sink.h"
#include "inspect/visible_path.h"
#include "output/csv.h"
#include "output/folder_totals.h"
#include "output/table_rows.h"
#include "output/workbook_run.h"
#include "platform/file_reader.h"
#include "platform/output_file.h"
#include "platform/terminal.h"
#include "platform/text_encoding.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/listed_file.h"
#include "run/read_ahead.h"
#include "run/read_threads.h"
#include "run/result_file.h"
#include "run/run_preparation.h"

namespace folvane::cli {

namespace {

// Control characters in the paths a message names are shown as escapes:
// one message, one line, nothing sent to the terminal raw.
void PrintError(const std::string& message) {
    WriteToStandardError("folvane-cli: " + VisiblePath(message) + "\n");
}

// "folvane-cli: PATH: reason", the line for every file or path that had
// a problem.
void PrintPathProblem(const std::string& path, const std::string& reason) {
    PrintError(path + ": " + reason);
}

// Adds the paths of a list file to `paths`; how lists are read is
// DecodePathList's. A list that cannot be read, or not for sure, stops the
// run before anything is read: `error` says why.
bool ReadPathList(const std::string& name, std::vector<std::string>& paths, std::string& error) {
    const WholeFile file = ReadWholeFile(name);
    if (!file.ok()) {
        error = file.error;
        return false;
    }
    DecodedPathList list = DecodePathList(file.bytes);
    if (!list.ok()) {
        error = list.error;
        return false;
    }
    paths.insert(paths.end(), std::make_move_iterator(list.paths.begin()),
                 std::make_move_iterator(list.paths.end()));
    return true;
}

// Passes reads through, names every file that had a problem on standard
// error with its reason, and counts them.
class ProblemReportingSource final : public TiffFileSource {
  public:
    ProblemReportingSource(TiffFileSource& inner, ProgressLine* progressLine)
        : inner_(inner), progressLine_(progressLine) {}
    TiffReadResult Read(const std::string& path) override {
        TiffReadResult result = inner_.Read(path);
        if (result.status != TiffReadStatus::Complete) {
            ++problems;
            if (progressLine_ != nullptr) progressLine_->Wipe();
            PrintPathProblem(path, result.problem);
        } else if (result.rebuiltXref) {
            // Counted, but worth a look: the file is damaged.
            if (progressLine_ != nullptr) progressLine_->Wipe();
            PrintPathProblem(path, "相互参照表を再構築して読みました");
        }
        return result;
    }
    std::int64_t problems = 0;

  private:
    TiffFileSource& inner_;
    ProgressLine* progressLine_;
};

// Results on a terminal: each line is sent as it is complete, the
// progress line (when standard error is the same terminal) erased first,
// so that it is never drawn over half a result line.
class ResultsBesideProgress final : public OutputStream {
  public:
    ResultsBesideProgress(OutputStream& inner, ProgressLine& progressLine)
        : inner_(inner), progressLine_(progressLine) {}
    bool Write(std::string_view bytes) override {
        progressLine_.Erase();
        if (!inner_.Write(bytes)) return false;
        return !bytes.ends_with('\n') || inner_.Finish();
    }
    bool Finish() override { return inner_.Finish(); }
    const std::string& ErrorMessage() const override { return inner_.ErrorMessage(); }

  private:
    OutputStream& inner_;
    ProgressLine& progressLine_;
};

constexpr std::string_view kWorkbookOnTerminal =
    "a workbook cannot go to a terminal: --format xlsx needs -o FILE";

// What a table row's status says of a name that Shift-JIS cannot hold.
constexpr std::string_view kCp932LossStatus = "注意";
constexpr std::string_view kCp932LossReason = "Shift-JIS で表せない文字を含む名前";

bool IsTableNumberColumn(std::size_t column) { return IsNumberColumn(column); }

bool WriteTableRow(const TableRow& row, LineWriter& writer) {
    return writer.WriteLine(
        CsvLine(std::span<const std::string>(row.data(), kTableColumnCount), IsTableNumberColumn));
}

// A name written in cp932 loses the characters the code page lacks ("?"
// instead): said on standard error and in a row of its own, so that the
// user knows to take UTF-8 or the workbook. The exit status stays.
bool NoteCp932Loss(const std::string& path, bool cp932, LineWriter& writer,
                   ProgressLine* progressLine) {
    if (!cp932 || Cp932HoldsAll(path)) return true;
    if (progressLine != nullptr) progressLine->Wipe();
    PrintPathProblem(path, std::string(kCp932LossReason));
    TableRow row;
    row[0] = path;
    row[17] = kCp932LossStatus;
    row[18] = kCp932LossReason;
    return WriteTableRow(row, writer);
}

bool WriteTable(const InputFiles& files, const std::vector<InputProblem>& inputProblems,
                OutputEncoding encoding, bool byteOrderMark, OutputStream& stream,
                LineWriter& writer, TiffFileSource& source, ProgressSink& progress,
                ProgressLine* progressLine) {
    // A byte-order mark lets spreadsheet programs recognise UTF-8.
    if (byteOrderMark && !stream.Write("\xEF\xBB\xBF")) return false;
    const auto& headings = TableHeadings();
    const std::vector<std::string> header(headings.begin(), headings.begin() + kTableColumnCount);
    if (!writer.WriteLine(CsvLine(header, IsTableNumberColumn))) return false;
    const bool cp932 = encoding == OutputEncoding::Cp932;
    for (const InputProblem& problem : inputProblems) {
        if (!WriteTableRow(InputProblemRow(problem.path, problem.reason), writer)) return false;
        if (!NoteCp932Loss(problem.path, cp932, writer, progressLine)) return false;
    }
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    std::int64_t pages = 0;
    bool written = true;
    for (std::size_t i = 0; i < files.Count() && written; ++i) {
        const std::string path = files.At(i);
        const TiffReadResult read = source.Read(path);
        pages += static_cast<std::int64_t>(read.pages.size());
        for (const auto& row : TableRows(path, read))
            if (!WriteTableRow(row, writer)) written = false;
        if (written && !NoteCp932Loss(path, cp932, writer, progressLine)) written = false;
        progress.FileDone(static_cast<std::int64_t>(i), pages);
    }
    progress.End();
    return written;
}

bool WriteFolders(const InputFiles& files, bool byteOrderMark, OutputStream& stream,
                  LineWriter& writer, TiffFileSource& source, ProgressSink& progress) {
    FolderTotals folders;
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    std::int64_t pages = 0;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        const std::string path = files.At(i);
        const TiffReadResult read = source.Read(path);
        pages += static_cast<std::int64_t>(read.pages.size());
        folders.AddFile(path, DescribePages(read));
        progress.FileDone(static_cast<std::int64_t>(i), pages);
    }
    progress.End();
    if (byteOrderMark && !stream.Write("\xEF\xBB\xBF")) return false;
    if (!writer.WriteLine(CsvLine(FolderHeadings(), IsFolderNumberColumn))) return false;
    for (const FolderTotal& folder : folders.Folders())
        if (!writer.WriteLine(CsvLine(FolderRow(folder), IsFolderNumberColumn))) return false;
    return true;
}

}  // namespace

PathList BuildInputList(const std::vector<std::string>& paths, bool recursive, unsigned threads,
                        std::vector<PathProblem>& problems, bool withPdf,
                        unsigned threadsFromMemory) {
    ExaminationRules rules;
    rules.recursive = recursive;
    rules.threads = threads;
    rules.threadsFromMemory = threadsFromMemory;
    rules.withPdf = withPdf;
    ExaminedInputs examined = ExamineInputs(paths, rules);
    // A path that stays on the list is named when the run reaches it.
    for (const auto& problem : examined.problems)
        if (!problem.listed) PrintPathProblem(problem.path, PathProblemReason(problem));
    problems.insert(problems.end(), examined.problems.begin(), examined.problems.end());
    examined.files.SortAndRemoveDuplicates();
    for (const SameFile& same : examined.files.RemoveSameFiles())
        PrintPathProblem(same.path, SameFileReason(same));
    return std::move(examined.files);
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
    if (std::string reason; options.filesFrom && !ReadPathList(*options.filesFrom, paths, reason)) {
        const std::string name = *options.filesFrom == "-" ? "標準入力" : *options.filesFrom;
        PrintError("パスの一覧を読めません: " + name + ": " + reason);
        return kExitUsage;
    }
    std::vector<PathProblem> pathProblems;
    // The paths are examined with as many looks in flight as files are
    // read with: on a file server each look is a round trip.
    const unsigned examiners =
        options.jobs != 0 ? options.jobs : DefaultReadThreads(SpanInputFiles(paths));
    const PathList files = BuildInputList(
        paths, options.recursive, examiners, pathProblems, options.pdf,
        options.jobs != 0 ? 0 : ReadThreadsFromMemory(std::thread::hardware_concurrency()));
    NoteInputProblems(state, pathProblems);

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
        // Checked before any file is read: a mistake here must not cost the
        // hours an archive takes.
        if (options.format == OutputFormat::Xlsx && IsTerminalPath(options.output)) {
            PrintError(options.output + ": " + std::string(kWorkbookOnTerminal));
            return kExitUsage;
        }
        output = OpenResultFile(options.output, files, options.pdf);
        if (!output.stream) {
            PrintError(output.error);
            return output.refused ? kExitUsage : kExitOutputFailed;
        }
    }
    ProgressLine progressLine;
    NoProgress noProgress;
    ProgressSink& progress = !options.quiet && StandardErrorIsTerminal()
                                 ? static_cast<ProgressSink&>(progressLine)
                                 : noProgress;
    std::optional<ResultsBesideProgress> besideProgress;
    // On a terminal results go out a line at a time, as a terminal user
    // expects; the progress line, if drawn, is erased first.
    if (toTerminal) besideProgress.emplace(*output.stream, progressLine);
    OutputStream& stream =
        besideProgress ? static_cast<OutputStream&>(*besideProgress) : *output.stream;
    EncodedLineWriter writer(stream, encoding);

    const unsigned jobs = options.jobs != 0 ? options.jobs : DefaultReadThreads(files);
    std::unique_ptr<ReadAhead> readAhead;
    // A number of jobs the user did not choose is the most for the storage:
    // as many read at once only while reads wait on it.
    if (jobs > 1)
        readAhead = std::make_unique<ReadAhead>(
            files, jobs, options.pdf,
            options.jobs != 0 ? ReadAhead::ThreadUse::All : ReadAhead::ThreadUse::AsReadsWait);
    ProblemReportingSource source(
        readAhead ? static_cast<TiffFileSource&>(*readAhead) : DirectFileSource(options.pdf),
        &progress == &progressLine ? &progressLine : nullptr);
    // The runs clear the list of problems' text, not the problems.
    const auto inputProblems = static_cast<std::int64_t>(state.InputProblems.size());

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
            written =
                WriteTable(files, state.InputProblems, encoding,
                           encoding == OutputEncoding::Utf8 && !toTerminal, stream, writer, source,
                           progress, &progress == &progressLine ? &progressLine : nullptr);
            break;
        case OutputFormat::Folders:
            written = WriteFolders(files, encoding == OutputEncoding::Utf8 && !toTerminal, stream,
                                   writer, source, progress);
            break;
        case OutputFormat::Xlsx: {
            const WorkbookRunInfo info{LocalTimeText(), options.recursive, options.pdf};
            std::string error;
            if (!WriteWorkbookRun(files, state.InputProblems, options.selection, info, source,
                                  progress, *output.stream, error)) {
                PrintError(error);
                return kExitOutputFailed;
            }
            written = true;
            break;
        }
    }
    if (!written || !stream.Finish()) {
        PrintError(stream.ErrorMessage());
        return kExitOutputFailed;
    }
    // The table names such paths itself; a report only has the "?".
    if (options.format != OutputFormat::Table && writer.ChangedNames() > 0)
        PrintError(ChangedNamesNote(writer.ChangedNames()));
    return source.problems + inputProblems > 0 ? kExitFilesWithErrors : kExitOk;
}

}  // namespace folvane::cli
