// What the core itself gives for a run over some files, for the window
// tests to compare what a window shows and writes with, byte for byte.
// No toolkit here: the form tests and the Qt tests share it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/output_file.h"
#include "state/selection_state.h"

namespace folvane::testing {

// An output stream that keeps what is written in memory and never fails.
class MemoryStream final : public OutputStream {
  public:
    bool Write(std::string_view bytes) override {
        data.append(bytes);
        return true;
    }
    bool Finish() override { return true; }
    const std::string& ErrorMessage() const override { return error_; }
    std::string data;

  private:
    std::string error_;
};

// What the core's displayed run gives for these files and choices.
struct DisplayOutput {
    std::vector<std::string> lines;
    std::string totals;  // CR LF line breaks
};
// `withPdf`: *.pdf files are read as PDF files, as with "PDF も対象にする".
DisplayOutput CoreDisplayOutput(const std::vector<std::string>& files,
                                const SelectionState& selection, bool withPdf = false);

// The display file's bytes as the core writes them (Shift-JIS, CR LF).
std::string CoreDisplayFile(const std::vector<std::string>& lines, const std::string& totals);

// The direct file's bytes as the core writes them for these files.
std::string CoreDirectFile(const std::vector<std::string>& files, const SelectionState& selection);

// The workbook's sheets as the core writes them for these files (the
// information sheet, which holds the time, left out), as XML.
std::string CoreWorkbookSheets(const std::vector<std::string>& files,
                               const SelectionState& selection);

}  // namespace folvane::testing
