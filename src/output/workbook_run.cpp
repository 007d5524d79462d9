#include "output/workbook_run.h"

#include <ctime>
#include <vector>

#include "output/billing_summary.h"
#include "output/folder_totals.h"
#include "output/table_rows.h"
#include "state/texts.h"

#ifndef FOLVANE_VERSION
#define FOLVANE_VERSION "1.0.0"
#endif

namespace folvane {

namespace {

bool NoNumbers(std::size_t) { return false; }
bool SecondColumnNumbers(std::size_t column) { return column == 1; }

struct Problem {
    std::string path;
    std::string status;
    std::string reason;
};

std::string ColumnsText(const SelectionState& selection) {
    constexpr std::array<std::string_view, kColumnBoxCount> kNames = {
        "path",    "byte-order",  "pages",  "pixel-size", "resolution",
        "mm-size", "compression", "colour", "paper",      "orientation"};
    std::string columns;
    for (int i = 0; i < kColumnBoxCount; ++i) {
        if (!IsTicked(selection.Check[static_cast<std::size_t>(i)])) continue;
        if (!columns.empty()) columns += ',';
        columns += kNames[static_cast<std::size_t>(i)];
    }
    return columns;
}

std::string YesNo(bool yes) { return yes ? "はい" : "いいえ"; }

}  // namespace

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    // The run's own thread asks; no other thread reads the clock this way.
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return std::string();
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

bool WriteWorkbookRun(const InputFiles& files, std::span<const InputProblem> inputProblems,
                      const SelectionState& selection, const WorkbookRunInfo& info,
                      TiffFileSource& source, ProgressSink& progress, OutputStream& out,
                      std::string& error, std::size_t rowsPerSheet) {
    WorkbookWriter book(rowsPerSheet);
    struct ProgressEnd {
        ProgressSink& progress;
        ~ProgressEnd() { progress.End(); }
    } progressEnd{progress};
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    const auto fail = [&] {
        error = book.ErrorMessage();
        return false;
    };
    if (!book.Open()) return fail();

    const auto& headings = TableHeadings();
    const std::vector<std::string> pageHeadings(headings.begin(), headings.end());
    const int pageSheet = book.AddSheet("ページ", pageHeadings, IsNumberColumn);
    if (pageSheet < 0) return fail();

    std::vector<Problem> problems;
    for (const InputProblem& problem : inputProblems)
        problems.push_back({problem.path, std::string(text::kCannotOpen), problem.reason});
    FolderTotals folders;
    BillingSummary summary;
    std::int64_t pages = 0;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        const std::string path = files.At(i);
        const TiffReadResult read = source.Read(path);
        const std::vector<PageFacts> facts = DescribePages(read);
        for (const TableRow& row : TableRows(path, read, facts))
            if (!book.AddRow(pageSheet, row)) return fail();
        folders.AddFile(path, facts);
        for (std::size_t p = 0; p < facts.size(); ++p) summary.AddPage(read.pages[p], facts[p]);
        if (read.status != TiffReadStatus::Complete)
            problems.push_back({path, std::string(FileStatus(read)), read.problem});
        pages += static_cast<std::int64_t>(read.pages.size());
        progress.FileDone(static_cast<std::int64_t>(i), pages);
    }

    const int summarySheet =
        book.AddSheet("集計", BillingSummary::Headings(), BillingSummary::IsNumberColumn);
    if (summarySheet < 0) return fail();
    for (const auto& row : summary.Rows())
        if (!book.AddRow(summarySheet, row)) return fail();

    const int folderSheet = book.AddSheet("フォルダ別", FolderHeadings(), IsFolderNumberColumn);
    if (folderSheet < 0) return fail();
    for (const FolderTotal& folder : folders.Folders())
        if (!book.AddRow(folderSheet, FolderRow(folder))) return fail();

    const int problemSheet =
        book.AddSheet("エラー", std::vector<std::string>{"パス", "状態", "理由"}, NoNumbers);
    if (problemSheet < 0) return fail();
    for (const Problem& problem : problems)
        if (!book.AddRow(problemSheet,
                         std::vector<std::string>{problem.path, problem.status, problem.reason}))
            return fail();

    const int infoSheet =
        book.AddSheet("情報", std::vector<std::string>{"項目", "値"}, SecondColumnNumbers);
    if (infoSheet < 0) return fail();
    const std::vector<std::vector<std::string>> infoRows = {
        {"プログラム", "Folvane " FOLVANE_VERSION},
        {"作成日時", info.madeAt},
        {"解像度 1 (areso)", selection.AresoText},
        {"解像度 2 (breso)", selection.BresoText},
        {"列", ColumnsText(selection)},
        {"総合計", YesNo(IsTicked(selection.Check_Total))},
        {"サイズ別合計", YesNo(IsTicked(selection.Check_CTotal))},
        {"サブフォルダも対象", YesNo(info.recursive)},
        {"PDF も対象", YesNo(info.pdf)},
        {"入力ファイル数", std::to_string(files.Count())},
        {"使えなかったパス", std::to_string(inputProblems.size())},
        {"ページ数", std::to_string(pages)},
    };
    for (const auto& row : infoRows)
        if (!book.AddRow(infoSheet, row)) return fail();

    if (!book.WriteTo(out)) return fail();
    return true;
}

}  // namespace folvane
