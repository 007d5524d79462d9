#include "run/displayed_run.h"

#include "inspect/inspect_tiff_file.h"
#include "paper/size_summary.h"
#include "run/run_preparation.h"
#include "state/texts.h"

namespace folvane {

std::string SpacerLine(int columnCount) {
    return std::string(static_cast<std::size_t>(18 * (columnCount + 3)), ' ');
}

std::string ComposeTotalsText(FormState& state, const SelectionState& selection) {
    std::string result;
    if (IsTicked(selection.Check_CTotal)) {
        BuildSizeSummary(state, selection);
        result += state.SizeSummaryText;
        result += text::kCrLf;
    }
    if (IsTicked(selection.Check_Total)) {
        result += text::kGrandTotal;
        result += '\t';
        result += std::to_string(state.TotalPages);
        result += text::kPagesSuffix;
    }
    if (state.NotTiffText != text::kNotTiffHeading) {
        result += text::kCrLf;
        result += state.NotTiffText;
    }
    if (state.ErrorFileText != text::kErrorFileHeading) {
        result += text::kCrLf;
        result += state.ErrorFileText;
    }
    return result;
}

std::string RunDisplayed(FormState& state, const SelectionState& selection,
                         const TallyResolutions& tally, const InputFiles& files,
                         ResultListSink& resultList, ProgressSink& progress,
                         TiffFileSource& source) {
    ResetTallies(state);
    state.TotalPages = 0;
    progress.Begin(static_cast<std::int64_t>(files.Count()));
    resultList.Clear();
    state.PageLine.clear();
    ListInputProblems(state);

    for (std::size_t i = 0; i < files.Count(); ++i) {
        state.CurrentFile = files.At(i);
        InspectTiffFile(state, selection, tally, resultList, source);
        progress.FileDone(static_cast<std::int64_t>(i), state.TotalPages);
    }
    resultList.AppendLine(SpacerLine(state.ColumnCount));

    std::string result = ComposeTotalsText(state, selection);
    progress.End();
    state.ResultState = 1;
    state.NotTiffText = text::kNotTiffHeading;
    state.ErrorFileText = text::kErrorFileHeading;
    return result;
}

std::string RunDisplayed(FormState& state, const SelectionState& selection,
                         const TallyResolutions& tally, std::span<const std::string> files,
                         ResultListSink& resultList, ProgressSink& progress,
                         TiffFileSource& source) {
    return RunDisplayed(state, selection, tally, SpanInputFiles(files), resultList, progress,
                        source);
}

}  // namespace folvane
