#include "pdf_fixtures.h"

#include "pdf_builder.h"

namespace folvane::fixture {

namespace {

using Files = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

std::vector<std::uint8_t> Scans() {
    PdfBuilder b;
    b.SetPages(
        {b.ScanPage({b.Image(FaxImage(2480, 3508))}),
         b.ScanPage({b.Image(FaxImage(3508, 2480, 0))}, "/MediaBox [0 0 842 595] /Rotate 90"),
         b.ScanPage({b.Image(FaxImage(1728, 2200, 0))}, "/MediaBox [0 0 612 792]")});
    return b.Write();
}

std::vector<std::uint8_t> Kinds() {
    PdfBuilder b;
    const char* dicts[] = {
        "<< /Width 2480 /Height 3508 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode "
        ">>",
        "<< /Width 2480 /Height 3508 /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter "
        "/FlateDecode >>",
        "<< /Width 2480 /Height 3508 /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter "
        "/JBIG2Decode >>",
        "<< /Width 2480 /Height 3508 /Filter /JPXDecode >>",
        "<< /Width 2480 /Height 3508 /ColorSpace [/Indexed /DeviceRGB 15 <00>] /BitsPerComponent 4 "
        "/Filter /LZWDecode >>",
        "<< /Width 2480 /Height 3508 /ColorSpace /DeviceCMYK /BitsPerComponent 8 /Filter "
        "/RunLengthDecode >>",
        "<< /Width 2480 /Height 3508 /ImageMask true /Decode [1 0] >>",
    };
    std::vector<QPDFObjectHandle> pages;
    for (const char* dict : dicts) pages.push_back(b.ScanPage({b.Image(dict)}));
    b.SetPages(pages);
    return b.Write();
}

std::vector<std::uint8_t> BornDigital() {
    PdfBuilder b;
    const auto photo = b.Image(JpegImage(1200, 800));
    const auto form = b.Form("q 400 0 0 300 0 0 cm /Im0 Do Q", b.XObjectResources({photo}));
    b.SetPages(
        {b.Page("/MediaBox [0 0 595.28 841.89]", "BT /F1 12 Tf 72 720 Td (Invoice) Tj ET", {}),
         b.Page("/MediaBox [0 0 595.28 841.89]", "q /Fm0 Do Q", b.XObjectResources({form}, "Fm")),
         b.Page("/MediaBox [0 0 1190.55 841.89]", "", {})});
    return b.Write();
}

std::vector<std::uint8_t> InheritedBoxes() {
    PdfBuilder b;
    const auto inner = b.Node({b.ScanPage({b.Image(FaxImage(2480, 3508))}, "/UserUnit 2"),
                               b.ScanPage({b.Image(FaxImage(2480, 3508))}, "")},
                              "/CropBox [0 0 297.5 421] /Rotate -90");
    b.SetPages({inner, b.ScanPage({b.Image(FaxImage(2480, 3508))}, "")}, "/MediaBox [0 0 595 842]");
    return b.Write();
}

std::vector<std::uint8_t> WithOptions(bool objectStreams, bool encrypt, std::string user) {
    PdfBuilder b;
    b.SetPages(
        {b.ScanPage({b.Image(FaxImage(2480, 3508))}), b.ScanPage({b.Image(FaxImage(1654, 2339))})});
    PdfBuilder::WriteOptions options;
    options.objectStreams = objectStreams;
    options.encrypt = encrypt;
    options.userPassword = std::move(user);
    return b.Write(options);
}

std::vector<std::uint8_t> Looping() {
    PdfBuilder b;
    auto looping = b.Node({}, "", "/Kidz");
    auto root = b.Node({b.ScanPage({b.Image(FaxImage(2480, 3508))}), looping});
    looping.getKey("/Kidz").appendItem(root);
    b.SetRoot(root);
    return b.Write();
}

}  // namespace

Files PdfFixtureSet() {
    Files files;
    files.emplace_back("scan_g4_three_pages.pdf", Scans());
    files.emplace_back("image_kinds.pdf", Kinds());
    files.emplace_back("born_digital.pdf", BornDigital());
    files.emplace_back("inherited_boxes.pdf", InheritedBoxes());
    files.emplace_back("object_streams.pdf", WithOptions(true, false, ""));
    files.emplace_back("protected_no_password.pdf", WithOptions(false, true, ""));
    files.emplace_back("locked_password.pdf", WithOptions(false, true, "secret"));
    auto unsupported = WithOptions(false, true, "secret");
    ReplaceBytes(unsupported, "/Standard", "/Homemade");
    files.emplace_back("unsupported_handler.pdf", unsupported);
    auto rebuilt = WithOptions(false, false, "");
    BreakXrefOffset(rebuilt);
    files.emplace_back("rebuilt_xref.pdf", rebuilt);
    auto updated = WithOptions(false, false, "");
    // The writer numbers the catalog 1, the tree 2, the pages 3 and 4 with
    // their contents 5 and 7 and images 6 and 8.
    AppendUpdate(updated, 3,
                 "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 1190 1684] /Contents 5 0 R "
                 "/Resources << /XObject << /Im0 6 0 R >> >> >>");
    files.emplace_back("incremental_update.pdf", updated);
    files.emplace_back("page_tree_loop.pdf", Looping());
    auto noTree = WithOptions(false, false, "");
    ReplaceBytes(noTree, "/Pages 2 0 R /Type /Catalog", "/Pagez 2 0 R /Type /Catalog");
    files.emplace_back("no_page_tree.pdf", noTree);
    const std::string text = "Not a PDF file, whatever its name says.\n";
    files.emplace_back("not_a_pdf.pdf", std::vector<std::uint8_t>(text.begin(), text.end()));
    return files;
}

std::vector<std::uint8_t> ScannedPdf(std::size_t pages, std::size_t imageBytes,
                                     std::size_t variant) {
    PdfBuilder b;
    std::vector<QPDFObjectHandle> list;
    list.reserve(pages);
    for (std::size_t i = 0; i < pages; ++i) {
        const auto width = static_cast<std::int64_t>(2480 + (variant + i) % 7);
        list.push_back(b.ScanPage({b.Image(FaxImage(width, 3508), imageBytes)}));
    }
    b.SetPages(list);
    return b.Write();
}

}  // namespace folvane::fixture
