#include "form_test_support.h"

#include "tiff_builder.h"

namespace folvane::testing {

void WriteTiff(const std::string& path, const std::vector<ScanPage>& pages, bool bigEndian) {
    WriteBytes(path, fixture::BuildScanFile(pages, bigEndian));
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
