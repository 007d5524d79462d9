#include "pdf/pdf_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>

#include "pdf_builder.h"

namespace folvane {
namespace {

namespace fx = fixture;
using fx::PdfBuilder;

TiffReadResult ReadBytes(const std::vector<std::uint8_t>& bytes) {
    MemoryByteSource source(bytes);
    return pdf::ReadPdf(source);
}

// One page of the given box attributes painting one image.
TiffReadResult ReadOneImagePage(std::string_view imageDict, std::string_view attributes) {
    PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(imageDict)}, attributes)});
    return ReadBytes(b.Write());
}

TEST(PdfReader, ScannedA4AtThreeHundredDotsPerInch) {
    const auto read = ReadOneImagePage(fx::FaxImage(2480, 3508), "/MediaBox [0 0 595 842]");
    ASSERT_EQ(read.status, TiffReadStatus::Complete) << read.problem;
    EXPECT_EQ(read.pdfVersion, "1.7");
    ASSERT_EQ(read.pages.size(), 1u);
    const PageInfo& page = read.pages[0];
    EXPECT_EQ(page.Width, 2480u);
    EXPECT_EQ(page.Height, 3508u);
    // 2480 * 72 / 595 = 300.1, 3508 * 72 / 842 = 299.97
    EXPECT_EQ(page.XResolution, 300.0);
    EXPECT_EQ(page.YResolution, 300.0);
    EXPECT_EQ(page.UnitName, ResolutionUnit::Inch);
    EXPECT_EQ(page.CompressionName, "G4 Fax");
    EXPECT_EQ(page.ColorName, "Bilevel (BiZ)");
    EXPECT_FALSE(page.BoxWidthPoints);
    EXPECT_FALSE(read.rebuiltXref);
}

TEST(PdfReader, CompressionAndColourNames) {
    struct Case {
        const char* dict;
        const char* compression;
        const char* colour;
    };
    const Case cases[] = {
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter "
         "/CCITTFaxDecode >>",
         "G3 Fax", "Bilevel (BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter "
         "/CCITTFaxDecode /DecodeParms << /K 0 >> /Decode [1 0] >>",
         "G3 Fax", "Bilevel (WiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter "
         "[/ASCII85Decode /CCITTFaxDecode] /DecodeParms [null << /K -1 >>] >>",
         "G4 Fax", "Bilevel (BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode >>",
         "JPEG", "RGB"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode "
         ">>",
         "Flate", "Gray (256 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 4 /Filter /LZWDecode >>",
         "LZW", "Gray (16 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /CalGray /BitsPerComponent 2 /Filter /RunLengthDecode "
         ">>",
         "PackBits", "Gray"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 16 >>", "Uncomp", "Gray"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /JBIG2Decode "
         ">>",
         "JBIG2", "Bilevel (BiZ)"},
        {"<< /Width 8 /Height 8 /Filter /JPXDecode >>", "JPEG 2000", "Unknown"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /JPXDecode >>",
         "JPEG 2000", "RGB"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter "
         "/ASCII85Decode >>",
         "Unknown", "Gray (256 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter "
         "[/ASCII85Decode /FlateDecode] >>",
         "Flate", "Gray (256 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter "
         "/ASCIIHexDecode >>",
         "Unknown", "Gray (256 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /Homemade >>",
         "Unknown", "Gray (256 BiZ)"},
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceCMYK /BitsPerComponent 8 >>", "Uncomp", "CMYK"},
        {"<< /Width 8 /Height 8 /ColorSpace [/CalRGB << /WhitePoint [1 1 1] >>] "
         "/BitsPerComponent 8 >>",
         "Uncomp", "RGB"},
        {"<< /Width 8 /Height 8 /ColorSpace [/Lab << /WhitePoint [1 1 1] >>] /BitsPerComponent 8 "
         ">>",
         "Uncomp", "CIELab"},
        {"<< /Width 8 /Height 8 /ColorSpace [/Indexed /DeviceRGB 255 <00>] /BitsPerComponent 8 >>",
         "Uncomp", "Palette (256 RGB)"},
        {"<< /Width 8 /Height 8 /ColorSpace [/Indexed /DeviceRGB 15 <00>] /BitsPerComponent 4 >>",
         "Uncomp", "Palette (16 RGB)"},
        {"<< /Width 8 /Height 8 /ColorSpace [/Indexed /DeviceRGB 1 <00>] /BitsPerComponent 1 >>",
         "Uncomp", "RGB Palette"},
        {"<< /Width 8 /Height 8 /ColorSpace [/Separation /Black /DeviceGray null] "
         "/BitsPerComponent 8 >>",
         "Uncomp", "Unknown"},
        {"<< /Width 8 /Height 8 /ColorSpace [/DeviceN [/A /B] /DeviceCMYK null] "
         "/BitsPerComponent 8 >>",
         "Uncomp", "Unknown"},
        {"<< /Width 8 /Height 8 /BitsPerComponent 8 >>", "Uncomp", "Unknown"},
        {"<< /Width 8 /Height 8 /ImageMask true /Filter /CCITTFaxDecode /DecodeParms << /K -1 >> "
         ">>",
         "G4 Fax", "Bilevel (BiZ)"},
        {"<< /Width 8 /Height 8 /ImageMask true /Decode [1 0] >>", "Uncomp", "Bilevel (WiZ)"},
        // /Decode [1 0] names only bilevel images.
        {"<< /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 /Decode [1 0] >>",
         "Uncomp", "Gray (256 BiZ)"},
    };
    for (const auto& c : cases) {
        const auto read = ReadOneImagePage(c.dict, "/MediaBox [0 0 8 8]");
        ASSERT_EQ(read.pages.size(), 1u) << c.dict;
        EXPECT_EQ(read.pages[0].CompressionName, c.compression) << c.dict;
        EXPECT_EQ(read.pages[0].ColorName, c.colour) << c.dict;
    }
}

TEST(PdfReader, IccBasedColourByComponents) {
    for (const auto& [components, colour] : std::vector<std::pair<int, std::string>>{
             {1, "Gray (256 BiZ)"}, {3, "RGB"}, {4, "CMYK"}, {2, "Unknown"}}) {
        PdfBuilder b;
        QPDFObjectHandle profile = QPDFObjectHandle::newStream(&b.Pdf(), "icc");
        profile.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(components));
        QPDFObjectHandle space = QPDFObjectHandle::newArray();
        space.appendItem(QPDFObjectHandle::newName("/ICCBased"));
        space.appendItem(profile);
        QPDFObjectHandle image = b.Image("<< /Width 8 /Height 8 /BitsPerComponent 8 >>");
        image.getDict().replaceKey("/ColorSpace", space);
        b.SetPages({b.ScanPage({image}, "/MediaBox [0 0 8 8]")});
        const auto read = ReadBytes(b.Write());
        ASSERT_EQ(read.pages.size(), 1u);
        EXPECT_EQ(read.pages[0].ColorName, colour) << components;
    }
}

TEST(PdfReader, BoxesUserUnitAndRotation) {
    // A 1200 x 2000 image on a 600 x 500 point box: 144 x 288 per inch.
    struct Case {
        const char* nodeAttributes;
        const char* pageAttributes;
        std::uint64_t width, height;
        double x, y;
    };
    const Case cases[] = {
        {"", "/MediaBox [0 0 600 500]", 1200, 2000, 144, 288},
        {"/MediaBox [0 0 600 500]", "", 1200, 2000, 144, 288},  // inherited
        {"", "/MediaBox [600 500 0 0]", 1200, 2000, 144, 288},  // corners in any order
        // The CropBox clipped to the MediaBox: [0 0 300 500].
        {"/CropBox [-100 0 300 800]", "/MediaBox [0 0 600 500]", 1200, 2000, 288, 288},
        {"", "/MediaBox [0 0 600 500] /CropBox [0 0 0 500]", 1200, 2000, 144, 288},
        {"", "/MediaBox [0 0 600 500] /CropBox [700 0 900 500]", 1200, 2000, 144, 288},
        {"", "/MediaBox [0 0 600 500] /CropBox [0 0 300]", 1200, 2000, 144, 288},
        // No usable MediaBox: US Letter, 612 x 792. 1200*72/612 = 141.18, 2000*72/792 = 181.8
        {"", "", 1200, 2000, 141, 182},
        {"", "/MediaBox [0 0 0 0]", 1200, 2000, 141, 182},
        {"", "/MediaBox [0 0 600 /x]", 1200, 2000, 141, 182},
        {"", "/MediaBox [0 0 600 500] /UserUnit 2", 1200, 2000, 72, 144},
        {"/UserUnit 2", "/MediaBox [0 0 600 500]", 1200, 2000, 144, 288},  // not inherited
        {"", "/MediaBox [0 0 600 500] /UserUnit 0", 1200, 2000, 144, 288},
        {"", "/MediaBox [0 0 600 500] /Rotate 90", 2000, 1200, 288, 144},
        {"", "/MediaBox [0 0 600 500] /Rotate 270", 2000, 1200, 288, 144},
        {"", "/MediaBox [0 0 600 500] /Rotate -90", 2000, 1200, 288, 144},
        {"", "/MediaBox [0 0 600 500] /Rotate 450", 2000, 1200, 288, 144},
        {"", "/MediaBox [0 0 600 500] /Rotate 90.0", 2000, 1200, 288, 144},
        {"", "/MediaBox [0 0 600 500] /Rotate 180", 1200, 2000, 144, 288},
        {"", "/MediaBox [0 0 600 500] /Rotate 45", 1200, 2000, 144, 288},
        {"", "/MediaBox [0 0 600 500] /Rotate 90.5", 1200, 2000, 144, 288},
        {"/Rotate 90", "/MediaBox [0 0 600 500]", 2000, 1200, 288, 144},  // inherited
    };
    for (const auto& c : cases) {
        PdfBuilder b;
        b.SetPages({b.ScanPage({b.Image("<< /Width 1200 /Height 2000 /ColorSpace /DeviceGray "
                                        "/BitsPerComponent 1 >>")},
                               c.pageAttributes)},
                   c.nodeAttributes);
        const auto read = ReadBytes(b.Write());
        ASSERT_EQ(read.pages.size(), 1u) << c.pageAttributes;
        const PageInfo& page = read.pages[0];
        const std::string label = std::string(c.nodeAttributes) + " | " + c.pageAttributes;
        EXPECT_EQ(page.Width, c.width) << label;
        EXPECT_EQ(page.Height, c.height) << label;
        EXPECT_EQ(page.XResolution, c.x) << label;
        EXPECT_EQ(page.YResolution, c.y) << label;
    }
}

TEST(PdfReader, ResolutionRoundsHalvesAwayFromZero) {
    // 1 * 72 / 48 = 1.5 -> 2; 5 * 72 / 144 = 2.5 -> 3
    const auto read = ReadOneImagePage(
        "<< /Width 1 /Height 5 /ColorSpace /DeviceGray "
        "/BitsPerComponent 1 >>",
        "/MediaBox [0 0 48 144]");
    ASSERT_EQ(read.pages.size(), 1u);
    EXPECT_EQ(read.pages[0].XResolution, 2.0);
    EXPECT_EQ(read.pages[0].YResolution, 3.0);
}

TEST(PdfReader, PageWithoutImageKeepsItsBox) {
    PdfBuilder b;
    b.SetPages({b.Page("/MediaBox [0 0 595.28 841.89]", "BT /F1 12 Tf (text) Tj ET", {}),
                b.Page("/MediaBox [0 0 600 500] /UserUnit 2 /Rotate 90", "", {})});
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.pages.size(), 2u);
    const PageInfo& text = read.pages[0];
    EXPECT_FALSE(text.Width);
    EXPECT_FALSE(text.XResolution);
    EXPECT_FALSE(text.UnitName);
    EXPECT_EQ(text.CompressionName, "");
    EXPECT_EQ(text.ColorName, "");
    EXPECT_DOUBLE_EQ(*text.BoxWidthPoints, 595.28);
    EXPECT_DOUBLE_EQ(*text.BoxHeightPoints, 841.89);
    EXPECT_EQ(read.pages[1].BoxWidthPoints, 1000.0);  // turned, times the user unit
    EXPECT_EQ(read.pages[1].BoxHeightPoints, 1200.0);
}

TEST(PdfReader, OnlyPaintedImagesCountLargestFirstPainted) {
    PdfBuilder b;
    auto small = b.Image("<< /Width 100 /Height 100 /ColorSpace /DeviceRGB /BitsPerComponent 8 >>");
    auto large = b.Image(fx::FaxImage(2000, 3000));
    auto tieA = b.Image(fx::JpegImage(3000, 2000));
    auto unpainted = b.Image(fx::FaxImage(9000, 9000));
    // Shared resources: each page paints a different one of them.
    auto shared = b.XObjectResources({small, large, tieA, unpainted});
    b.SetPages({
        b.Page("/MediaBox [0 0 100 100]", "/Im0 Do", shared),
        b.Page("/MediaBox [0 0 100 100]", "/Im0 Do /Im1 Do /Im0 Do", shared),
        b.Page("/MediaBox [0 0 100 100]", "/Im1 Do /Im2 Do", shared),  // a tie: the first
        b.Page("/MediaBox [0 0 100 100]",
               "BI /W 9999 /H 9999 /CS /G /BPC 1 ID \x01\x02 EI q /Im9 Do Q", shared),
    });
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.pages.size(), 4u);
    EXPECT_EQ(read.pages[0].Width, 100u);
    EXPECT_EQ(read.pages[0].ColorName, "RGB");
    EXPECT_EQ(read.pages[1].Width, 2000u);
    EXPECT_EQ(read.pages[1].CompressionName, "G4 Fax");
    EXPECT_EQ(read.pages[2].Width, 2000u);
    EXPECT_EQ(read.pages[2].Height, 3000u);
    // An inline image and a name that is not there: no image.
    EXPECT_TRUE(read.pages[3].BoxWidthPoints);
}

TEST(PdfReader, ImagesInsideFormXObjects) {
    PdfBuilder b;
    auto image = b.Image(fx::FaxImage(1700, 2200));
    auto inner = b.Form("/Im0 Do", b.XObjectResources({image}));
    auto outer = b.Form("q /Fm0 Do Q", b.XObjectResources({inner}, "Fm"));
    // A form without resources of its own paints with the page's.
    auto bare = b.Form("/Im0 Do", {});
    QPDFObjectHandle pageResources = b.XObjectResources({image});
    pageResources.getKey("/XObject").replaceKey("/Fm0", bare);
    // A form that paints itself ends there.
    auto selfish = b.Form("/Fm0 Do", {});
    selfish.getDict().replaceKey("/Resources", b.XObjectResources({selfish}, "Fm"));
    b.SetPages({
        b.Page("/MediaBox [0 0 612 792]", "/Fm0 Do", b.XObjectResources({outer}, "Fm")),
        b.Page("/MediaBox [0 0 612 792]", "/Fm0 Do", pageResources),
        b.Page("/MediaBox [0 0 612 792]", "/Fm0 Do", b.XObjectResources({selfish}, "Fm")),
    });
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.pages.size(), 3u);
    EXPECT_EQ(read.pages[0].Width, 1700u);
    EXPECT_EQ(read.pages[0].XResolution, 200.0);
    EXPECT_EQ(read.pages[1].Width, 1700u);
    EXPECT_TRUE(read.pages[2].BoxWidthPoints);
}

TEST(PdfReader, ContentAsAnArrayOfStreams) {
    PdfBuilder b;
    auto image = b.Image(fx::FaxImage(1700, 2200));
    QPDFObjectHandle page = b.Page("/MediaBox [0 0 612 792]", "", b.XObjectResources({image}));
    QPDFObjectHandle parts = QPDFObjectHandle::newArray();
    parts.appendItem(QPDFObjectHandle::newStream(&b.Pdf(), "q /Im0"));
    parts.appendItem(QPDFObjectHandle::newStream(&b.Pdf(), "Do Q"));
    page.replaceKey("/Contents", parts);
    b.SetPages({page});
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.pages.size(), 1u);
    EXPECT_EQ(read.pages[0].Width, 1700u);
}

TEST(PdfReader, ContentThatInflatesPastTheLimitKeepsWhatCameFirst) {
    // 48 MB of blanks after the operator, compressed to some 50 KB.
    std::string content = "q /Im0 Do Q";
    content.append(std::size_t{48} << 20, ' ');
    content += " /Im1 Do";
    Pl_Buffer compressed("compressed");
    Pl_Flate deflate("deflate", &compressed, Pl_Flate::a_deflate);
    deflate.write(reinterpret_cast<const unsigned char*>(content.data()), content.size());
    deflate.finish();
    const auto bytes = compressed.getBufferSharedPointer();

    PdfBuilder b;
    QPDFObjectHandle page = b.Page(
        "/MediaBox [0 0 612 792]", "",
        b.XObjectResources({b.Image(fx::FaxImage(1700, 2200)), b.Image(fx::FaxImage(3400, 4400))}));
    page.getKey("/Contents")
        .replaceStreamData(
            std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize()),
            QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
    b.SetPages({page});
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.status, TiffReadStatus::Complete);
    ASSERT_EQ(read.pages.size(), 1u);
    EXPECT_EQ(read.pages[0].Width, 1700u);  // /Im1 lies beyond the limit
}

TEST(PdfReader, PageTreeIsWalkedNotCounted) {
    PdfBuilder b;
    auto a = b.ScanPage({b.Image(fx::FaxImage(100, 100))});
    auto c = b.ScanPage({b.Image(fx::FaxImage(300, 300))});
    auto inner = b.Node({b.ScanPage({b.Image(fx::FaxImage(200, 200))})}, "/Count 7");
    b.SetPages({a, inner, c}, "/Count 99");
    const auto read = ReadBytes(b.Write());
    ASSERT_EQ(read.status, TiffReadStatus::Complete);
    ASSERT_EQ(read.pages.size(), 3u);
    EXPECT_EQ(read.pages[0].Width, 100u);
    EXPECT_EQ(read.pages[1].Width, 200u);
    EXPECT_EQ(read.pages[2].Width, 300u);
}

TEST(PdfReader, RootThatIsAPageAndPagesListedTwice) {
    {
        PdfBuilder b;
        b.SetRoot(b.ScanPage({b.Image(fx::FaxImage(100, 100))}));
        const auto read = ReadBytes(b.Write());
        EXPECT_EQ(read.status, TiffReadStatus::Complete);
        EXPECT_EQ(read.pages.size(), 1u);
    }
    {
        PdfBuilder b;
        auto page = b.ScanPage({b.Image(fx::FaxImage(100, 100))});
        b.SetPages({page, b.Node({page}, "", "/Kidz")});
        const auto read = ReadBytes(b.Write());
        EXPECT_EQ(read.status, TiffReadStatus::Complete);
        EXPECT_EQ(read.pages.size(), 2u);
    }
}

TEST(PdfReader, DamagedPageTrees) {
    struct Case {
        const char* name;
        std::function<void(PdfBuilder&)> build;
        std::size_t pagesBefore;
        const char* problem;
    };
    auto page = [](PdfBuilder& b) { return b.ScanPage({b.Image(fx::FaxImage(100, 100))}); };
    const Case cases[] = {
        {"loop",
         [&](PdfBuilder& b) {
             auto looping = b.Node({}, "", "/Kidz");
             auto root = b.Node({page(b), looping});
             looping.getKey("/Kidz").appendItem(root);
             b.SetRoot(root);
         },
         1, "PDF のページツリーが循環しています"},
        {"kid that is not a dictionary",
         [&](PdfBuilder& b) {
             b.SetPages({page(b), b.Node({page(b), QPDFObjectHandle::newInteger(5)}, "", "/Kidz")});
         },
         2, "PDF のページツリーに辞書でない要素があります"},
        {"kids that are not an array",
         [&](PdfBuilder& b) {
             auto node = b.Object("<< /Type /Pages /Kidz 5 >>");
             b.SetPages({page(b), node});
         },
         1, "PDF のページツリーの /Kids が配列ではありません"},
    };
    for (const auto& c : cases) {
        PdfBuilder b;
        c.build(b);
        const auto read = ReadBytes(b.Write());
        EXPECT_EQ(read.status, TiffReadStatus::Damaged) << c.name;
        EXPECT_EQ(read.pages.size(), c.pagesBefore) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }
}

TEST(PdfReader, PageTreeDepthLimit) {
    for (const int levels : {pdf::kMaxPageTreeDepth, pdf::kMaxPageTreeDepth + 1}) {
        PdfBuilder b;
        QPDFObjectHandle node = b.Node({b.ScanPage({b.Image(fx::FaxImage(100, 100))})});
        for (int i = 1; i < levels; ++i) node = b.Node({node});
        b.SetRoot(node);
        const auto read = ReadBytes(b.Write());
        if (levels <= pdf::kMaxPageTreeDepth) {
            EXPECT_EQ(read.status, TiffReadStatus::Complete) << levels;
            EXPECT_EQ(read.pages.size(), 1u);
        } else {
            EXPECT_EQ(read.status, TiffReadStatus::Damaged) << levels;
            EXPECT_EQ(read.problem, "PDF のページツリーが 64 段を超えています");
            EXPECT_TRUE(read.pages.empty());
        }
    }
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(PdfReader, WhatIsAPdfFile) {
    EXPECT_EQ(ReadBytes({}).status, TiffReadStatus::NotTiff);
    EXPECT_EQ(ReadBytes(Bytes("II*\0")).status, TiffReadStatus::NotTiff);
    // The header may follow up to 1,024 bytes of something else.
    PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(fx::FaxImage(100, 100))})});
    const auto pdfBytes = b.Write();
    for (const std::size_t junk :
         {std::size_t{0}, std::size_t{1000}, std::size_t{1020}, std::size_t{1030}}) {
        std::vector<std::uint8_t> bytes(junk, ' ');
        bytes.insert(bytes.end(), pdfBytes.begin(), pdfBytes.end());
        const auto read = ReadBytes(bytes);
        if (junk + 5 <= 1024) {
            EXPECT_EQ(read.status, TiffReadStatus::Complete) << junk;
            EXPECT_EQ(read.pages.size(), 1u) << junk;
        } else {
            EXPECT_EQ(read.status, TiffReadStatus::NotTiff) << junk;
        }
    }
}

TEST(PdfReader, VersionFromHeaderOrCatalog) {
    struct Case {
        const char* header;
        const char* catalog;  // nullptr: none
        const char* shown;
    };
    const Case cases[] = {{"1.4", nullptr, "1.4"},
                          {"1.4", "/1.7", "1.7"},
                          {"1.7", "/1.4", "1.7"},
                          {"1.7", "/2.0", "2.0"},
                          {"1.7", "/x", "1.7"}};
    for (const auto& c : cases) {
        PdfBuilder b;
        b.SetPages({b.ScanPage({b.Image(fx::FaxImage(100, 100))})});
        if (c.catalog) b.Pdf().getRoot().replaceKey("/Version", QPDFObjectHandle::parse(c.catalog));
        PdfBuilder::WriteOptions options;
        options.version = c.header;
        const auto read = ReadBytes(b.Write(options));
        EXPECT_EQ(read.pdfVersion, c.shown) << c.header << " " << (c.catalog ? c.catalog : "");
    }
}

TEST(PdfReader, ObjectStreamsAndIncrementalUpdates) {
    PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(fx::FaxImage(2480, 3508))}),
                b.ScanPage({b.Image(fx::FaxImage(1240, 1754))})});
    PdfBuilder::WriteOptions options;
    options.objectStreams = true;
    const auto read = ReadBytes(b.Write(options));
    ASSERT_EQ(read.status, TiffReadStatus::Complete) << read.problem;
    ASSERT_EQ(read.pages.size(), 2u);
    EXPECT_EQ(read.pages[1].XResolution, 150.0);

    // An update giving the first page a box twice as large: half the resolution.
    PdfBuilder u;
    u.SetPages({u.ScanPage({u.Image(fx::FaxImage(2480, 3508))})});
    auto bytes = u.Write();
    // The writer numbers the catalog 1, the tree 2, the page 3, its
    // content 4 and its image 5.
    fx::AppendUpdate(bytes, 3,
                     "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 1190 1684] /Contents 4 0 R "
                     "/Resources << /XObject << /Im0 5 0 R >> >> >>");
    const auto updated = ReadBytes(bytes);
    ASSERT_EQ(updated.status, TiffReadStatus::Complete) << updated.problem;
    ASSERT_EQ(updated.pages.size(), 1u);
    EXPECT_EQ(updated.pages[0].XResolution, 150.0);
    EXPECT_FALSE(updated.rebuiltXref);
}

TEST(PdfReader, Encryption) {
    PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(fx::FaxImage(2480, 3508))})});
    PdfBuilder::WriteOptions options;
    options.encrypt = true;
    // Protected only against editing: the empty password opens it.
    const auto open = ReadBytes(b.Write(options));
    EXPECT_EQ(open.status, TiffReadStatus::Complete) << open.problem;
    ASSERT_EQ(open.pages.size(), 1u);
    EXPECT_EQ(open.pages[0].CompressionName, "G4 Fax");

    options.userPassword = "secret";
    const auto locked = ReadBytes(b.Write(options));
    EXPECT_EQ(locked.status, TiffReadStatus::Locked);
    EXPECT_EQ(locked.problem, "パスワードが必要です");
    EXPECT_TRUE(locked.pages.empty());
    EXPECT_EQ(locked.pdfVersion, "1.7");

    auto other = b.Write(options);
    ASSERT_GT(fx::ReplaceBytes(other, "/Standard", "/Homemade"), 0u);
    const auto unsupported = ReadBytes(other);
    EXPECT_EQ(unsupported.status, TiffReadStatus::Locked);
    EXPECT_EQ(unsupported.problem, "この暗号化方式には対応していません");
}

// A reason in our own words: Japanese, with no English but "PDF" and "/Kids".
bool OurOwnWords(std::string problem) {
    for (const std::string_view name : {"PDF", "/Kids"}) {
        for (auto at = problem.find(name); at != std::string::npos; at = problem.find(name))
            problem.erase(at, name.size());
    }
    for (const char c : problem)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return false;
    return true;
}

TEST(PdfReader, DamagedFiles) {
    PdfBuilder b;
    b.SetPages({b.ScanPage({b.Image(fx::FaxImage(2480, 3508))}),
                b.ScanPage({b.Image(fx::FaxImage(2480, 3508))})});
    const auto good = b.Write();

    auto broken = good;
    fx::BreakXrefOffset(broken);
    const auto rebuilt = ReadBytes(broken);
    EXPECT_EQ(rebuilt.status, TiffReadStatus::Complete) << rebuilt.problem;
    EXPECT_EQ(rebuilt.pages.size(), 2u);
    EXPECT_TRUE(rebuilt.rebuiltXref);

    const auto garbage = ReadBytes(Bytes("%PDF-1.4\nnothing else\n"));
    EXPECT_EQ(garbage.status, TiffReadStatus::Damaged);
    EXPECT_EQ(garbage.problem, "PDF の相互参照表が壊れています");
    EXPECT_TRUE(garbage.pages.empty());
    EXPECT_EQ(garbage.pdfVersion, "1.4");

    auto noTree = good;
    ASSERT_GT(
        fx::ReplaceBytes(noTree, "/Pages 2 0 R /Type /Catalog", "/Pagez 2 0 R /Type /Catalog"), 0u);
    const auto lost = ReadBytes(noTree);
    EXPECT_EQ(lost.status, TiffReadStatus::Damaged);
    EXPECT_EQ(lost.problem, "PDF のページツリーが見つかりません");

    // Cut short: whatever qpdf recovers, never a crash or an English reason.
    for (std::size_t cut = 0; cut < good.size(); cut += 97) {
        const std::vector<std::uint8_t> part(good.begin(),
                                             good.begin() + static_cast<std::ptrdiff_t>(cut));
        const auto read = ReadBytes(part);
        EXPECT_TRUE(OurOwnWords(read.problem)) << cut << ": " << read.problem;
    }
}

TEST(PdfReader, MissingFileCannotBeOpened) {
    const auto read = pdf::ReadPdfFile("/nonexistent/folvane/x.pdf");
    EXPECT_EQ(read.status, TiffReadStatus::CannotOpen);
    EXPECT_FALSE(read.problem.empty());
}

}  // namespace
}  // namespace folvane
