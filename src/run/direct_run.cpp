#include "run/direct_run.h"

#include "inspect/inspect_tiff_file.h"
#include "paper/size_summary.h"
#include "run/run_preparation.h"
#include "state/texts.h"

namespace folvane {

namespace {

bool WriteFilesAndTotals(FormState& state, const SelectionState& selection,
                         const TallyResolutions& tally, const InputFiles& files, LineWriter& out,
                         ProgressSink& progress, TiffFileSource& source) {
    VectorResultList fileLines;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        state.CurrentFile = files.At(i);
        InspectTiffFile(state, selection, tally, fileLines, source);
        for (const auto& line : fileLines.lines)
            if (!out.WriteLine(line)) return false;
        fileLines.Clear();
        progress.FileDone(static_cast<std::int64_t>(i), state.TotalPages);
    }

    // Three empty lines between the last result line and the totals.
    state.PageLine = "\r\n\r\n";
    if (!out.WriteLine(state.PageLine)) return false;
    if (IsTicked(selection.Check_CTotal)) {
        BuildSizeSummary(state, selection);
        if (!out.WriteLine(state.SizeSummaryText)) return false;
    }
    if (IsTicked(selection.Check_Total)) {
        // No tab between the words and the number, unlike the totals box.
        state.PageLine = std::string(text::kCrLf) + std::string(text::kGrandTotal) +
                         std::to_string(state.TotalPages) + std::string(text::kPagesSuffix);
        if (!out.WriteLine(state.PageLine)) return false;
    }
    if (state.NotTiffText != text::kNotTiffHeading &&
        !out.WriteLine(std::string(text::kCrLf) + state.NotTiffText))
        return false;
    if (state.ErrorFileText != text::kErrorFileHeading &&
        !out.WriteLine(std::string(text::kCrLf) + state.ErrorFileText))
        return false;
    return true;
}

}  // namespace

bool RunDirectSave(FormState& state, const SelectionState& selection, const TallyResolutions& tally,
                   const InputFiles& files, LineWriter& out, ProgressSink& progress,
                   TiffFileSource& source) {
    state.PageLine.clear();
    ResetTallies(state);
    ListInputProblems(state);
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    const bool written = WriteFilesAndTotals(state, selection, tally, files, out, progress, source);
    // Also after a failure, so the next run does not list this run's files.
    state.NotTiffText = text::kNotTiffHeading;
    state.ErrorFileText = text::kErrorFileHeading;
    progress.End();
    return written;
}

bool RunDirectSave(FormState& state, const SelectionState& selection, const TallyResolutions& tally,
                   std::span<const std::string> files, LineWriter& out, ProgressSink& progress,
                   TiffFileSource& source) {
    return RunDirectSave(state, selection, tally, SpanInputFiles(files), out, progress, source);
}

}  // namespace folvane
