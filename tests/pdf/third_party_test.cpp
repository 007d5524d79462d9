// Real PDF files written by other software (tests/data/qpdf/SOURCES): the
// reader counts them, or says in our own words why it cannot.
#include <gtest/gtest.h>

#include <string>

#include "pdf/pdf_reader.h"

namespace folvane {
namespace {

TiffReadResult ReadThirdParty(const std::string& name) {
    return pdf::ReadPdfFile(std::string(FOLVANE_QPDF_TEST_FILES) + "/" + name);
}

TEST(PdfThirdParty, PagesAndStatus) {
    struct Case {
        const char* name;
        TiffReadStatus status;
        std::size_t pages;
        const char* version;
        const char* problem;
    };
    const Case cases[] = {
        {"minimal.pdf", TiffReadStatus::Complete, 1, "1.3", ""},
        {"good1.pdf", TiffReadStatus::Complete, 1, "1.3", ""},
        {"object-stream.pdf", TiffReadStatus::Complete, 1, "1.5", ""},
        {"xref-with-short-size.pdf", TiffReadStatus::Complete, 1, "1.5", ""},
        {"rotated.pdf", TiffReadStatus::Complete, 20, "1.4", ""},
        {"boxes.pdf", TiffReadStatus::Complete, 8, "1.3", ""},
        {"shared-images.pdf", TiffReadStatus::Complete, 10, "1.3", ""},
        {"V4-aes.pdf", TiffReadStatus::Complete, 30, "1.6", ""},
        {"encrypted-with-images.pdf", TiffReadStatus::Complete, 2, "1.5", ""},
        {"bad-xref-entry.pdf", TiffReadStatus::Complete, 1, "1.3", ""},
        {"20-pages.pdf", TiffReadStatus::Locked, 0, "1.4", "パスワードが必要です"},
        {"encrypted-40-bit-R3.pdf", TiffReadStatus::Locked, 0, "1.4", "パスワードが必要です"},
        {"enc-XI-R6-user-view.pdf", TiffReadStatus::Locked, 0, "1.7", "パスワードが必要です"},
        {"pages-loop.pdf", TiffReadStatus::Damaged, 1, "1.3", "PDF のページツリーが循環しています"},
        {"issue-99.pdf", TiffReadStatus::Damaged, 0, "1.4", "PDF のページツリーが見つかりません"},
        {"bad1.pdf", TiffReadStatus::NotTiff, 0, "", "最初の 1024 バイトに %PDF- がありません"},
    };
    for (const auto& c : cases) {
        const TiffReadResult read = ReadThirdParty(c.name);
        EXPECT_EQ(read.status, c.status) << c.name << ": " << read.problem;
        EXPECT_EQ(read.pages.size(), c.pages) << c.name;
        EXPECT_EQ(read.pdfVersion, c.version) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }
}

TEST(PdfThirdParty, RebuiltTableIsNoted) {
    EXPECT_TRUE(ReadThirdParty("bad-xref-entry.pdf").rebuiltXref);
    EXPECT_FALSE(ReadThirdParty("minimal.pdf").rebuiltXref);
}

TEST(PdfThirdParty, EncryptedImagesAreNamedWithoutDecrypting) {
    const TiffReadResult read = ReadThirdParty("encrypted-with-images.pdf");
    ASSERT_EQ(read.pages.size(), 2u);
    EXPECT_EQ(read.pages[0].Width, 555u);
    EXPECT_EQ(read.pages[0].Height, 600u);
    EXPECT_EQ(read.pages[0].CompressionName, "JPEG");
    EXPECT_EQ(read.pages[0].ColorName, "RGB");
}

TEST(PdfThirdParty, InheritedRotationTurnsThePage) {
    const TiffReadResult read = ReadThirdParty("inherited-rotate.pdf");
    ASSERT_EQ(read.pages.size(), 1u);
    // US Letter turned: wider than high.
    EXPECT_GT(*read.pages[0].BoxWidthPoints, *read.pages[0].BoxHeightPoints);
}

}  // namespace
}  // namespace folvane
