#include "pdf_builder.h"

#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace folvane::fixture {

PdfBuilder::PdfBuilder() : pdf_(std::make_unique<QPDF>()) { pdf_->emptyPDF(); }

QPDFObjectHandle PdfBuilder::Object(std::string_view syntax) {
    return pdf_->makeIndirectObject(QPDFObjectHandle::parse(std::string(syntax)));
}

QPDFObjectHandle PdfBuilder::Image(std::string_view dict, std::size_t dataBytes) {
    std::string data(dataBytes, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    QPDFObjectHandle image = QPDFObjectHandle::newStream(pdf_.get(), data);
    QPDFObjectHandle parsed = QPDFObjectHandle::parse(std::string(dict));
    QPDFObjectHandle imageDict = image.getDict();
    for (const auto& key : parsed.getKeys()) imageDict.replaceKey(key, parsed.getKey(key));
    imageDict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    imageDict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    return image;
}

QPDFObjectHandle PdfBuilder::Form(std::string_view content, QPDFObjectHandle resources,
                                  std::string_view bbox) {
    QPDFObjectHandle form = QPDFObjectHandle::newStream(pdf_.get(), std::string(content));
    QPDFObjectHandle dict = form.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    dict.replaceKey("/BBox", QPDFObjectHandle::parse(std::string(bbox)));
    if (resources.isInitialized() && !resources.isNull()) dict.replaceKey("/Resources", resources);
    return form;
}

QPDFObjectHandle PdfBuilder::Page(std::string_view attributes, std::string_view content,
                                  QPDFObjectHandle resources) {
    QPDFObjectHandle page =
        QPDFObjectHandle::parse("<< /Type /Page " + std::string(attributes) + " >>");
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(pdf_.get(), std::string(content)));
    if (resources.isInitialized() && !resources.isNull()) page.replaceKey("/Resources", resources);
    return pdf_->makeIndirectObject(page);
}

QPDFObjectHandle PdfBuilder::XObjectResources(const std::vector<QPDFObjectHandle>& xobjects,
                                              std::string_view prefix) {
    QPDFObjectHandle names = QPDFObjectHandle::newDictionary();
    for (std::size_t i = 0; i < xobjects.size(); ++i)
        names.replaceKey("/" + std::string(prefix) + std::to_string(i), xobjects[i]);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    resources.replaceKey("/XObject", names);
    return resources;
}

QPDFObjectHandle PdfBuilder::ScanPage(const std::vector<QPDFObjectHandle>& images,
                                      std::string_view attributes) {
    std::string content;
    for (std::size_t i = 0; i < images.size(); ++i)
        content += "q 595 0 0 842 0 0 cm /Im" + std::to_string(i) + " Do Q\n";
    return Page(attributes, content, XObjectResources(images));
}

QPDFObjectHandle PdfBuilder::Node(const std::vector<QPDFObjectHandle>& kids,
                                  std::string_view attributes, std::string_view kidsKey) {
    // A /Count in `attributes` (a wrong one) replaces the true one.
    const std::string count = attributes.find("/Count") == std::string_view::npos
                                  ? "/Count " + std::to_string(kids.size()) + " "
                                  : std::string();
    QPDFObjectHandle node = Object("<< /Type /Pages " + count + std::string(attributes) + " >>");
    QPDFObjectHandle array = QPDFObjectHandle::newArray();
    for (QPDFObjectHandle kid : kids) {
        array.appendItem(kid);
        if (kid.isDictionary() && !kid.hasKey("/Parent")) kid.replaceKey("/Parent", node);
    }
    node.replaceKey(std::string(kidsKey), array);
    return node;
}

void PdfBuilder::SetRoot(QPDFObjectHandle node) { pdf_->getRoot().replaceKey("/Pages", node); }

void PdfBuilder::SetPages(const std::vector<QPDFObjectHandle>& pages, std::string_view attributes) {
    SetRoot(Node(pages, attributes));
}

std::vector<std::uint8_t> PdfBuilder::Write(const WriteOptions& options) {
    QPDFWriter writer(*pdf_);
    writer.setOutputMemory();
    writer.setStaticID(true);  // the same bytes on every run
    writer.setMinimumPDFVersion(options.version);
    // The stand-in image data must stay as it is, under the filters named.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(false);
    writer.setQDFMode(false);
    writer.setObjectStreamMode(options.objectStreams ? qpdf_o_generate : qpdf_o_disable);
    if (options.encrypt)
        writer.setR6EncryptionParameters(options.userPassword.c_str(),
                                         options.ownerPassword.c_str(), true, true, true, true,
                                         true, false, qpdf_r3p_full, true);
    writer.write();
    auto buffer = writer.getBufferSharedPointer();
    std::vector<std::uint8_t> bytes(buffer->getBuffer(), buffer->getBuffer() + buffer->getSize());
    ReplaceBytes(bytes, "/Kidz", "/Kids");
    return bytes;
}

std::size_t ReplaceBytes(std::vector<std::uint8_t>& bytes, std::string_view from,
                         std::string_view to) {
    if (from.size() != to.size() || from.empty()) throw std::invalid_argument("ReplaceBytes");
    std::size_t count = 0;
    auto at = bytes.begin();
    while ((at = std::search(at, bytes.end(), from.begin(), from.end())) != bytes.end()) {
        std::copy(to.begin(), to.end(), at);
        at += static_cast<std::ptrdiff_t>(to.size());
        ++count;
    }
    return count;
}

void BreakXrefOffset(std::vector<std::uint8_t>& bytes) {
    const std::string_view mark = "startxref\n";
    auto at = std::find_end(bytes.begin(), bytes.end(), mark.begin(), mark.end());
    if (at == bytes.end()) throw std::invalid_argument("BreakXrefOffset: no startxref");
    // The digits become 1s: an offset in the middle of the header.
    for (auto digit = at + static_cast<std::ptrdiff_t>(mark.size());
         digit != bytes.end() && *digit >= '0' && *digit <= '9'; ++digit)
        *digit = '1';
}

void AppendUpdate(std::vector<std::uint8_t>& bytes, int objectNumber, std::string_view syntax) {
    const std::string_view mark = "startxref\n";
    auto at = std::find_end(bytes.begin(), bytes.end(), mark.begin(), mark.end());
    if (at == bytes.end()) throw std::invalid_argument("AppendUpdate: no startxref");
    std::string previous;
    for (auto digit = at + static_cast<std::ptrdiff_t>(mark.size());
         digit != bytes.end() && *digit >= '0' && *digit <= '9'; ++digit)
        previous += static_cast<char>(*digit);
    // The size and root of the last trailer, which the update repeats.
    const std::string_view sizeMark = "/Size ";
    auto size = std::find_end(bytes.begin(), bytes.end(), sizeMark.begin(), sizeMark.end());
    std::string sizeText;
    for (auto digit = size + static_cast<std::ptrdiff_t>(sizeMark.size());
         digit != bytes.end() && *digit >= '0' && *digit <= '9'; ++digit)
        sizeText += static_cast<char>(*digit);
    const std::string_view rootMark = "/Root ";
    auto root = std::find_end(bytes.begin(), bytes.end(), rootMark.begin(), rootMark.end());
    std::string rootText;
    for (auto c = root + static_cast<std::ptrdiff_t>(rootMark.size());
         c != bytes.end() && *c != '/' && *c != '>'; ++c)
        rootText += static_cast<char>(*c);

    std::string update = "\n";
    const std::size_t objectOffset = bytes.size() + update.size();
    update += std::to_string(objectNumber) + " 0 obj\n" + std::string(syntax) + "\nendobj\n";
    const std::size_t xrefOffset = bytes.size() + update.size();
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", objectOffset);
    update += "xref\n" + std::to_string(objectNumber) + " 1\n" + entry;
    update += "trailer << /Size " + sizeText + " /Root " + rootText + "/Prev " + previous +
              " >>\nstartxref\n" + std::to_string(xrefOffset) + "\n%%EOF\n";
    bytes.insert(bytes.end(), update.begin(), update.end());
}

std::string FaxImage(std::int64_t width, std::int64_t height, int k) {
    return "<< /Width " + std::to_string(width) + " /Height " + std::to_string(height) +
           " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /CCITTFaxDecode /DecodeParms << "
           "/K " +
           std::to_string(k) + " /Columns " + std::to_string(width) + " >> >>";
}

std::string JpegImage(std::int64_t width, std::int64_t height, std::string_view space) {
    return "<< /Width " + std::to_string(width) + " /Height " + std::to_string(height) +
           " /ColorSpace " + std::string(space) + " /BitsPerComponent 8 /Filter /DCTDecode >>";
}

}  // namespace folvane::fixture
