#include "input/input_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_system.h"

namespace folvane {
namespace {

namespace fs = std::filesystem;

TEST(InputList, OrderFoldsAsciiCaseAndKeepsBothSpellings) {
    std::vector<std::string> list = {"b.tif", "A.tif",  "a.tif", "B.TIF",
                                     "a.tif", "_x.tif", "ä.tif", "a.tif"};
    SortInputList(list);
    RemoveDuplicateEntries(list);
    // "_" sorts before the letters once they are folded to lower case.
    EXPECT_EQ(list,
              (std::vector<std::string>{"_x.tif", "A.tif", "a.tif", "B.TIF", "b.tif", "ä.tif"}));
    EXPECT_TRUE(InputListLess("scan/a.tif", "scan/B.tif"));
    EXPECT_FALSE(InputListLess("a.tif", "a.tif"));
}

// The compact list must keep exactly the order and duplicates rule of the
// plain one, also where a folder's end meets a name.
TEST(PathList, SameOrderAsThePlainList) {
    std::vector<std::string> plain = {"/s/b.tif", "/s/A.tif",     "/s/a.tif",    "/s/a.tif",
                                      "/S/a.tif", "/s/sub/a.tif", "/s/sub.tif",  "/s-x/a.tif",
                                      "x.tif",    "/s/B.TIF",     "/s/sub/a.tif"};
    PathList compact;
    for (const auto& path : plain) compact.Add(path);
    SortInputList(plain);
    RemoveDuplicateEntries(plain);
    compact.SortAndRemoveDuplicates();
    ASSERT_EQ(compact.Count(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(compact.At(i), plain[i]) << i;
        EXPECT_TRUE(compact.Is(i, plain[i])) << i;
        EXPECT_FALSE(compact.Is(i, plain[(i + 1) % plain.size()])) << i;
        EXPECT_FALSE(compact.Is(i, plain[i] + "x")) << i;
    }
}

// Paths given in two pieces compare as the whole texts do, wherever the
// pieces meet and wherever the first difference (a case-only one too) lies.
TEST(InputList, PiecesCompareAsTheWholeText) {
    const std::vector<std::string> texts = {"",          "a",         "A",          "/s/a.tif",
                                            "/s/A.tif",  "/s/a.tiff", "/S/b.tif",   "/s/_.tif",
                                            "/s/ab.tif", "/s/aB.TIF", "/s/sub/a.t", "/s-x/a"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& a : texts)
        for (const auto& b : texts) {
            const int whole = sign(CompareInputOrder(a, {}, b, {}));
            EXPECT_EQ(whole, -sign(CompareInputOrder(b, {}, a, {}))) << a << " " << b;
            EXPECT_EQ(whole == 0, a == b) << a << " " << b;
            for (std::size_t i = 0; i <= a.size(); ++i)
                for (std::size_t j = 0; j <= b.size(); ++j) {
                    const std::string_view x(a), y(b);
                    EXPECT_EQ(sign(CompareInputOrder(x.substr(0, i), x.substr(i), y.substr(0, j),
                                                     y.substr(j))),
                              whole)
                        << a << " at " << i << ", " << b << " at " << j;
                }
        }
    EXPECT_LT(CompareInputOrder("/s/a", ".tif", "/s/B", ".tif"), 0);
    EXPECT_LT(CompareInputOrder("/s/A", "b.tif", "/s/a", "B.tif"), 0);  // ties: plain bytes
}

class DropTest : public testing::Test {
  protected:
    void SetUp() override {
        // One folder per test: ctest runs tests side by side.
        root_ = fs::temp_directory_path() /
                ("folvane-drop-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "scan" / "old");
        for (const char* name : {"a.tif", "B.TIF", "old/c.tif", ".hidden.tif", "d.tiff", "e.txt",
                                 "f.pdf", "G.PDF", "h.pdfx", "old/i.pdf"})
            std::ofstream(root_ / "scan" / name) << "x";
        fs::create_directories(root_ / "scan" / "folder.tif");
    }
    void TearDown() override { fs::remove_all(root_); }

    std::vector<std::string> Drop(const std::vector<std::string>& paths, bool withPdf = false) {
        std::vector<std::string> list;
        problems_.clear();
        for (const auto& path : paths) AddDroppedPath(path, list, problems_, withPdf);
        SortInputList(list);
        RemoveDuplicateEntries(list);
        return list;
    }

    // The path as the program writes it, with this system's separator.
    std::string At(std::string relative) const {
        for (char& c : relative)
            if (c == '/') c = kPathSeparator;
        return root_.string() + kPathSeparator + relative;
    }

    fs::path root_;
    std::vector<PathProblem> problems_;
};

TEST_F(DropTest, FolderAddsItsOwnTifFilesOnly) {
    EXPECT_EQ(Drop({At("scan")}), (std::vector<std::string>{At("scan/a.tif"), At("scan/B.TIF")}));
    // A folder given with its separator gets no second one.
    EXPECT_EQ(Drop({At("scan") + kPathSeparator})[0], At("scan/a.tif"));
    EXPECT_TRUE(problems_.empty());
}

TEST_F(DropTest, FilesNeedTheExactExtension) {
    EXPECT_TRUE(Drop({At("scan/B.TIF"), At("scan/d.tiff"), At("scan/e.txt")}).empty());
    EXPECT_EQ(Drop({At("scan/a.tif"), At("scan"), At("scan/a.tif")}),
              (std::vector<std::string>{At("scan/a.tif"), At("scan/B.TIF")}));
}

// PDF files only when asked for: *.pdf in any letter case, named or in a
// folder, and a missing *.pdf kept as a missing *.tif is.
TEST_F(DropTest, PdfFilesWhenAsked) {
    EXPECT_EQ(Drop({At("scan"), At("scan/f.pdf")}),
              (std::vector<std::string>{At("scan/a.tif"), At("scan/B.TIF")}));
    EXPECT_EQ(Drop({At("scan")}, true),
              (std::vector<std::string>{At("scan/a.tif"), At("scan/B.TIF"), At("scan/f.pdf"),
                                        At("scan/G.PDF")}));
    EXPECT_EQ(Drop({At("scan/G.PDF"), At("scan/h.pdfx"), At("gone.Pdf")}, true),
              (std::vector<std::string>{At("gone.Pdf"), At("scan/G.PDF")}));
    std::vector<std::string> tree;
    AddDroppedPathRecursive(At("scan"), tree, problems_, true);
    SortInputList(tree);
    EXPECT_EQ(tree, (std::vector<std::string>{At("scan/a.tif"), At("scan/B.TIF"), At("scan/f.pdf"),
                                              At("scan/G.PDF"), At("scan/old/c.tif"),
                                              At("scan/old/i.pdf")}));
}

TEST_F(DropTest, MissingPathsAreReportedAndTifsKept) {
    EXPECT_EQ(Drop({At("gone.tif"), At("gone")}), (std::vector<std::string>{At("gone.tif")}));
    ASSERT_EQ(problems_.size(), 2u);
    EXPECT_EQ(problems_[0].kind, PathProblem::Kind::Missing);
}

}  // namespace
}  // namespace folvane
