// Writes PDF files for the tests, the benchmarks and the fuzzer's seeds
// with qpdf's own API: scanned pages (images typed CCITT, DCT, Flate,
// JBIG2... with a few bytes standing in for data no reader of ours
// decodes), born-digital pages, page trees with inherited attributes,
// form XObjects, object and cross-reference streams, encryption, and the
// damage qpdf's writer would not write (loops, broken tables), made by
// editing the bytes it wrote.
#pragma once

#ifndef POINTERHOLDER_TRANSITION
#define POINTERHOLDER_TRANSITION 4
#endif

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace folvane::fixture {

// Objects are given in PDF syntax: "<< /Width 2480 /Height 3508 >>".
class PdfBuilder {
  public:
    PdfBuilder();
    PdfBuilder(const PdfBuilder&) = delete;
    PdfBuilder& operator=(const PdfBuilder&) = delete;

    QPDF& Pdf() { return *pdf_; }

    // An indirect object parsed from `syntax`.
    QPDFObjectHandle Object(std::string_view syntax);

    // An image XObject: `dict` plus /Type and /Subtype, with `dataBytes`
    // bytes of made-up data.
    QPDFObjectHandle Image(std::string_view dict, std::size_t dataBytes = 16);

    // A form XObject painting `content`; `resources` may be null.
    QPDFObjectHandle Form(std::string_view content, QPDFObjectHandle resources,
                          std::string_view bbox = "[0 0 1000 1000]");

    // A page dictionary: `attributes` in syntax ("/MediaBox [0 0 595 842]"),
    // the content stream, and resources (null for none of its own).
    QPDFObjectHandle Page(std::string_view attributes, std::string_view content,
                          QPDFObjectHandle resources);

    // A scanned page: each image painted over the whole box in turn, as
    // /Im0, /Im1, ...
    QPDFObjectHandle ScanPage(const std::vector<QPDFObjectHandle>& images,
                              std::string_view attributes = "/MediaBox [0 0 595 842]");

    // A /Resources dictionary naming `xobjects` /Im0, /Im1, ... (or /Fm0...).
    QPDFObjectHandle XObjectResources(const std::vector<QPDFObjectHandle>& xobjects,
                                      std::string_view prefix = "Im");

    // A page-tree node holding `kids`, with `attributes`; its kids get
    // their /Parent. Kids written with /Kidz are nodes qpdf's writer sees
    // as pages: Write turns the name into /Kids, for trees it refuses to
    // write (loops, pages listed twice, kids that are not dictionaries).
    QPDFObjectHandle Node(const std::vector<QPDFObjectHandle>& kids,
                          std::string_view attributes = "", std::string_view kidsKey = "/Kids");

    // Makes `node` the root of the page tree (or any object: a page, for a
    // one-page document without a tree).
    void SetRoot(QPDFObjectHandle node);
    // SetRoot(Node(pages)).
    void SetPages(const std::vector<QPDFObjectHandle>& pages, std::string_view attributes = "");

    struct WriteOptions {
        std::string version = "1.7";
        bool objectStreams = false;  // object streams and a cross-reference stream
        bool encrypt = false;        // AES-256, the standard security handler
        std::string userPassword;    // empty: opens without one
        std::string ownerPassword = "owner";
    };
    std::vector<std::uint8_t> Write(const WriteOptions& options);
    std::vector<std::uint8_t> Write() { return Write(WriteOptions{}); }

  private:
    std::unique_ptr<QPDF> pdf_;
};

// Replaces every `from` in `bytes` by `to` of the same length; returns
// how many were replaced.
std::size_t ReplaceBytes(std::vector<std::uint8_t>& bytes, std::string_view from,
                         std::string_view to);

// Breaks the cross-reference table of a file written without streams, so
// that qpdf must rebuild it: the startxref offset points nowhere.
void BreakXrefOffset(std::vector<std::uint8_t>& bytes);

// Appends an incremental update replacing object `objectNumber` (generation
// 0) by `syntax`, with its own table and a trailer pointing to the
// previous one, as an editor saving in place does.
void AppendUpdate(std::vector<std::uint8_t>& bytes, int objectNumber, std::string_view syntax);

// Image dictionaries of common scans, in syntax, without /Type /Subtype.
std::string FaxImage(std::int64_t width, std::int64_t height, int k = -1);
std::string JpegImage(std::int64_t width, std::int64_t height,
                      std::string_view space = "/DeviceRGB");

}  // namespace folvane::fixture
