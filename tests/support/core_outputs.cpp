#include "core_outputs.h"

#include "inspect/result_list_sink.h"
#include "output/workbook_run.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/listed_file.h"
#include "run/result_file.h"
#include "run/run_preparation.h"
#include "zip_parts.h"

namespace folvane::testing {

DisplayOutput CoreDisplayOutput(const std::vector<std::string>& files,
                                const SelectionState& selection, bool withPdf) {
    FormState state;
    state.FilesAdded = 1;
    const RunPreparation preparation = PrepareRun(state, selection);
    VectorResultList list;
    NoProgress progress;
    DisplayOutput output;
    output.totals = RunDisplayed(state, selection, preparation.tally, files, list, progress,
                                 DirectFileSource(withPdf));
    output.lines = list.lines;
    return output;
}

std::string CoreDisplayFile(const std::vector<std::string>& lines, const std::string& totals) {
    MemoryStream stream;
    EncodedLineWriter writer(stream, OutputEncoding::Cp932);
    WriteDisplayedResults(lines, totals, writer);
    return stream.data;
}

std::string CoreDirectFile(const std::vector<std::string>& files, const SelectionState& selection) {
    FormState state;
    state.FilesAdded = 1;
    const RunPreparation preparation = PrepareRun(state, selection);
    MemoryStream stream;
    EncodedLineWriter writer(stream, OutputEncoding::Cp932);
    NoProgress progress;
    RunDirectSave(state, selection, preparation.tally, files, writer, progress);
    return stream.data;
}

std::string CoreWorkbookSheets(const std::vector<std::string>& files,
                               const SelectionState& selection) {
    MemoryStream stream;
    NoProgress progress;
    std::string error;
    WriteWorkbookRun(SpanInputFiles(files), {}, selection, {}, DefaultTiffFileSource(), progress,
                     stream, error);
    return SheetsXml(stream.data, 1);
}

}  // namespace folvane::testing
