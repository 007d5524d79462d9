// Turning what the reader found in one file into result lines.
#pragma once

#include "inspect/result_list_sink.h"
#include "inspect/tiff_reader.h"
#include "paper/tally_resolution.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace folvane {

// Appends the lines of the file named by state.CurrentFile: its path line,
// header line and page lines as the column boxes ask, or the fixed lines of
// a file that is not a TIFF file, cannot be read, or is damaged. Counts
// every page in the tally and in TotalPages.
// Adds one entry to a list of files such as ErrorFileText: CR LF, TAB and
// the path, then TAB and the reason when there is one.
void AppendListedFile(std::string& list, std::string_view path, std::string_view reason = {});

// What the byte-order column shows: "II (Win)", "MM (Mac)", or for a PDF
// file "PDF 1.7".
std::string FileFormatText(const TiffReadResult& read);

// Names a page's paper size from its snapped sides and counts it in
// `sizeTally`; the same for TIFF pages and PDF pages. A page without an
// image counts in neither tally resolution.
Paper ClassifyPage(const PageInfo& page, const TallyResolutions& tally, TallyTable& sizeTally);

void ComposeFileLines(FormState& state, const SelectionState& selection,
                      const TallyResolutions& tally, const TiffReadResult& read,
                      ResultListSink& resultList);

}  // namespace folvane
