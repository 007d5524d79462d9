// What the form layer's tests share: a main form over a fake view in a
// scratch folder, TIFF fixtures, and what the core itself gives for the
// same files, to compare the window's output with byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/scratch_folder.h"
#include "core_outputs.h"
#include "fake_views.h"
#include "form/main_form.h"
#include "state/selection_state.h"
#include "tiff_builder.h"

namespace folvane::testing {

using ScanPage = fixture::ScanSize;

void WriteTiff(const std::string& path, const std::vector<ScanPage>& pages, bool bigEndian = false);

class MainFormTest : public ::testing::Test {
  protected:
    MainFormTest() : form(view, Services()) { form.Form_Initialize(); }

    static form::MainFormServices Services() {
        form::MainFormServices services;
        services.readThreads = 1;
        return services;
    }

    // `relative` (with "/") below the scratch folder, with this system's
    // separators throughout, as the window lists paths.
    std::string Path(std::string_view relative) const {
        std::filesystem::path path = PathFromUtf8(folder.Path()) / PathFromUtf8(relative);
        return Utf8FromPath(path.make_preferred());
    }
    // A drop, and its examination to the end (a user waits for it too).
    void Drop(const std::vector<std::string>& paths) {
        form.List1_OLEDragDrop(paths);
        form.FinishExamination();
    }
    // scan/ holds a.tif, B.TIF, notes.txt and old/c.tif.
    void MakeScanFolder();
    // Two TIFF files and one that is not, dropped as a folder, then run.
    void DropAndRun();

    ScratchFolder folder;
    FakeMainFormView view;
    form::MainForm form;
};

}  // namespace folvane::testing
