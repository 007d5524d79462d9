#include "form_test_support.h"

#include "inspect/result_list_sink.h"
#include "platform/output_file.h"
#include "run/direct_run.h"
#include "run/displayed_run.h"
#include "run/result_file.h"
#include "run/run_preparation.h"
#include "tiff_builder.h"

namespace folvane::testing {

namespace {

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

}  // namespace

void WriteTiff(const std::string& path, const std::vector<ScanPage>& pages, bool bigEndian) {
    fixture::File file;
    file.byteOrder = bigEndian ? fixture::ByteOrder::Big : fixture::ByteOrder::Little;
    for (const ScanPage& page : pages)
        file.pages.push_back(fixture::MakeScanPage(page.width, page.height, page.dpi));
    const std::vector<std::uint8_t> bytes = fixture::Build(file);
    WriteBytes(path, bytes);
}

DisplayOutput CoreDisplayOutput(const std::vector<std::string>& files,
                                const SelectionState& selection) {
    FormState state;
    state.FilesAdded = 1;
    const RunPreparation preparation = PrepareRun(state, selection);
    VectorResultList list;
    NoProgress progress;
    DisplayOutput output;
    output.totals = RunDisplayed(state, selection, preparation.tally, files, list, progress);
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

void MainFormTest::MakeScanFolder() {
    folder.MakeFolder("scan/old");
    WriteTiff(Path("scan/a.tif"), {{1654, 2339, 200}});
    WriteTiff(Path("scan/B.TIF"), {{2028, 2867, 200}});
    WriteTiff(Path("scan/old/c.tif"), {{1654, 2339, 200}});
    WriteBytes(Path("scan/notes.txt"), "notes");
}

void MainFormTest::DropAndRun() {
    folder.MakeFolder("in");
    WriteTiff(Path("in/one.tif"), {{1654, 2339, 200}, {2339, 1654, 200}});
    WriteTiff(Path("in/two.tif"), {{3508, 4961, 300}}, /*bigEndian=*/true);
    WriteBytes(Path("in/text.tif"), "not a tiff at all");
    Drop({Path("in")});
    form.Start_Click();
}

}  // namespace folvane::testing
