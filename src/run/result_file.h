// Result files: lines in the chosen encoding, each ending CR LF.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "input/path_list.h"
#include "platform/output_file.h"
#include "platform/text_encoding.h"
#include "run/run_sinks.h"

namespace folvane {

class EncodedLineWriter final : public LineWriter {
  public:
    EncodedLineWriter(OutputStream& stream, OutputEncoding encoding)
        : stream_(stream), encoding_(encoding) {}

    bool WriteLine(std::string_view text) override;
    const std::string& ErrorMessage() const override { return stream_.ErrorMessage(); }

  private:
    OutputStream& stream_;
    OutputEncoding encoding_;
    std::string buffer_;
};

// Opens the result file of a run over `inputs`, checked before any input
// is read: a name ending in ".tif" or ".tiff" in any letter case (a file
// name forgotten after -o would make the first scan the output), and a
// path naming the same file as one of the inputs, are refused, as are
// what CreateReplacingFile refuses (no name, a folder, a block device).
// When PDF files are taken (`withPdf`), a name ending in ".pdf" is refused
// too, for the same reason.
OpenedOutput OpenResultFile(const std::string& path, const InputFiles& inputs,
                            bool withPdf = false);
OpenedOutput OpenResultFile(const std::string& path, std::span<const std::string> inputs,
                            bool withPdf = false);

// The display file: every result list item but the last (the spacer line
// after a run), then the totals box text.
bool WriteDisplayedResults(std::span<const std::string> resultListItems,
                           std::string_view resultText, LineWriter& out);

}  // namespace folvane
