#include "pdf/pdf_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "inspect/number_format.h"
#include "pdf/byte_source_input.h"
#include "pdf/image_names.h"
#include "pdf/page_geometry.h"
#include "pdf/painted_images.h"

namespace folvane::pdf {

namespace {

// Where readers look for the header.
constexpr std::size_t kHeaderWindow = 1024;
constexpr std::string_view kHeaderMark = "%PDF-";

constexpr std::string_view kReadError = "読み込み中にエラーが起きました";
constexpr std::string_view kNeedsPassword = "パスワードが必要です";
constexpr std::string_view kUnsupportedEncryption = "この暗号化方式には対応していません";
constexpr std::string_view kBrokenXref = "PDF の相互参照表が壊れています";
constexpr std::string_view kNoPageTree = "PDF のページツリーが見つかりません";
constexpr std::string_view kBroken = "PDF が壊れています";

struct Header {
    bool found = false;
    std::string version;  // "1.7"; empty when the header names none
};

// The version after "%PDF-" within the first kilobyte, as qpdf finds it.
std::optional<Header> ReadHeader(ByteSource& source) {
    std::array<std::uint8_t, kHeaderWindow> bytes{};
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(source.Size(), bytes.size()));
    const auto got = source.ReadAt(0, std::span(bytes.data(), wanted));
    if (!got) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), *got);
    Header header;
    const auto at = text.find(kHeaderMark);
    if (at == std::string_view::npos) return header;
    header.found = true;
    for (std::size_t i = at + kHeaderMark.size(); i < text.size(); ++i) {
        const char c = text[i];
        if ((c < '0' || c > '9') && c != '.') break;
        header.version += c;
    }
    return header;
}

// "1.7" as (1, 7); nothing for anything else.
std::optional<std::pair<int, int>> VersionNumbers(std::string_view version) {
    const auto dot = version.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 >= version.size() || dot > 4 ||
        version.size() - dot - 1 > 4)
        return std::nullopt;
    int major = 0;
    int minor = 0;
    for (std::size_t i = 0; i < version.size(); ++i) {
        if (i == dot) continue;
        const char c = version[i];
        if (c < '0' || c > '9') return std::nullopt;
        int& part = i < dot ? major : minor;
        part = part * 10 + (c - '0');
    }
    return std::pair{major, minor};
}

// The header's version, or the catalog's /Version when that is higher.
std::string DocumentVersion(const std::string& headerVersion, QPDFObjectHandle root) {
    QPDFObjectHandle catalogVersion =
        root.isDictionary() ? root.getKey("/Version") : QPDFObjectHandle::newNull();
    if (!catalogVersion.isName()) return headerVersion;
    const std::string named = catalogVersion.getName().substr(1);
    const auto fromCatalog = VersionNumbers(named);
    const auto fromHeader = VersionNumbers(headerVersion);
    if (fromCatalog && (!fromHeader || *fromCatalog > *fromHeader)) return named;
    return headerVersion;
}

// What a page inherits from the page-tree nodes above it.
struct Inherited {
    QPDFObjectHandle mediaBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle cropBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle resources = QPDFObjectHandle::newNull();
    QPDFObjectHandle rotate = QPDFObjectHandle::newNull();

    Inherited Below(QPDFObjectHandle node) const {
        Inherited below = *this;
        auto take = [&](QPDFObjectHandle& slot, const char* key) {
            if (node.hasKey(key)) slot = node.getKey(key);
        };
        take(below.mediaBox, "/MediaBox");
        take(below.cropBox, "/CropBox");
        take(below.resources, "/Resources");
        take(below.rotate, "/Rotate");
        return below;
    }
};

double Round(double value) { return RoundHalfAwayFromZero(value); }

PageInfo MapPage(QPDFObjectHandle page, const Inherited& inherited) {
    const Inherited own = inherited.Below(page);
    PageGeometry geometry = ReadPageGeometry(page, own.mediaBox, own.cropBox, own.rotate);
    double width = geometry.widthPoints * geometry.userUnit;
    double height = geometry.heightPoints * geometry.userUnit;
    if (!std::isfinite(width) || !std::isfinite(height)) {
        // A user unit so large the size overflows is not one a viewer uses.
        geometry.userUnit = 1.0;
        width = geometry.widthPoints;
        height = geometry.heightPoints;
    }
    const bool turned = geometry.rotate == 90 || geometry.rotate == 270;

    PageInfo info;
    auto image = LargestPaintedImage(page, own.resources);
    if (!image) {
        info.BoxWidthPoints = turned ? height : width;
        info.BoxHeightPoints = turned ? width : height;
        return info;
    }
    // The effective resolution: the image's pixels over the size it is shown at.
    const double xResolution = Round(static_cast<double>(image->width) * 72.0 /
                                     (geometry.widthPoints * geometry.userUnit));
    const double yResolution = Round(static_cast<double>(image->height) * 72.0 /
                                     (geometry.heightPoints * geometry.userUnit));
    info.Width = static_cast<std::uint64_t>(turned ? image->height : image->width);
    info.Height = static_cast<std::uint64_t>(turned ? image->width : image->height);
    info.XResolution = turned ? yResolution : xResolution;
    info.YResolution = turned ? xResolution : yResolution;
    info.UnitName = ResolutionUnit::Inch;
    QPDFObjectHandle dict = image->image.getDict();
    info.CompressionName = ImageCompressionName(dict);
    info.ColorName = ImageColorName(dict);
    return info;
}

// Walks the page tree in page order, never trusting /Count.
class PageTreeWalk {
  public:
    explicit PageTreeWalk(TiffReadResult& result) : result_(result) {}

    // False when the tree is damaged; result_.problem then says how.
    bool Walk(QPDFObjectHandle node, const Inherited& inherited, int level) {
        if (!node.hasKey("/Kids")) return AddPage(node, inherited);
        if (level > kMaxPageTreeDepth)
            return Fail("PDF のページツリーが " + std::to_string(kMaxPageTreeDepth) +
                        " 段を超えています");
        const QPDFObjGen id = node.getObjGen();
        if (node.isIndirect() && std::find(path_.begin(), path_.end(), id) != path_.end())
            return Fail("PDF のページツリーが循環しています");
        QPDFObjectHandle kids = node.getKey("/Kids");
        if (!kids.isArray()) return Fail("PDF のページツリーの /Kids が配列ではありません");
        const Inherited below = inherited.Below(node);
        path_.push_back(id);
        const int count = kids.getArrayNItems();
        for (int i = 0; i < count; ++i) {
            QPDFObjectHandle kid = kids.getArrayItem(i);
            if (!kid.isDictionary()) return Fail("PDF のページツリーに辞書でない要素があります");
            if (!Walk(kid, below, level + 1)) return false;
        }
        path_.pop_back();
        return true;
    }

  private:
    bool AddPage(QPDFObjectHandle page, const Inherited& inherited) {
        if (result_.pages.size() >= kMaxTiffPages)
            return Fail("ページが " + std::to_string(kMaxTiffPages) + " 枚を超えています");
        result_.pages.push_back(MapPage(page, inherited));
        return true;
    }

    bool Fail(std::string problem) {
        result_.problem = std::move(problem);
        return false;
    }

    TiffReadResult& result_;
    std::vector<QPDFObjGen> path_;  // the nodes above the one being walked
};

bool RebuiltXref(QPDF& pdf) {
    for (const QPDFExc& warning : pdf.getWarnings())
        if (warning.getMessageDetail().find("reconstruct cross-reference") != std::string::npos)
            return true;
    return false;
}

void Damaged(TiffReadResult& result, std::string_view problem) {
    result.status = TiffReadStatus::Damaged;
    result.problem = problem;
}

}  // namespace

TiffReadResult ReadPdf(ByteSource& source, const std::string& name) {
    TiffReadResult result;
    const auto header = ReadHeader(source);
    if (!header) {
        result.status = TiffReadStatus::CannotOpen;
        result.problem = kReadError;
        return result;
    }
    if (!header->found) {
        // The same lines as any other file that is not ours.
        result.problem =
            source.Size() == 0 ? "ファイルが空です" : "最初の 1024 バイトに %PDF- がありません";
        return result;
    }
    result.pdfVersion = header->version;

    auto input = std::make_shared<ByteSourceInput>(source, name);
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    try {
        // The empty password first: files protected only against editing
        // open with it.
        pdf.processInputSource(input);
    } catch (QPDFExc& e) {
        if (input->ReadFailed()) {
            result.status = TiffReadStatus::CannotOpen;
            result.problem = kReadError;
            return result;
        }
        switch (e.getErrorCode()) {
            case qpdf_e_password:
                result.status = TiffReadStatus::Locked;
                result.problem = kNeedsPassword;
                return result;
            case qpdf_e_unsupported:
                result.status = TiffReadStatus::Locked;
                result.problem = kUnsupportedEncryption;
                return result;
            default:
                Damaged(result, kBrokenXref);
                return result;
        }
    } catch (std::exception&) {
        if (input->ReadFailed()) {
            result.status = TiffReadStatus::CannotOpen;
            result.problem = kReadError;
        } else {
            Damaged(result, kBrokenXref);
        }
        return result;
    }

    result.status = TiffReadStatus::Complete;
    try {
        if (!pdf.getPDFVersion().empty() && header->version.empty())
            result.pdfVersion = pdf.getPDFVersion();
        QPDFObjectHandle root = pdf.getTrailer().getKey("/Root");
        result.pdfVersion = DocumentVersion(result.pdfVersion, root);
        QPDFObjectHandle pages =
            root.isDictionary() ? root.getKey("/Pages") : QPDFObjectHandle::newNull();
        if (!pages.isDictionary()) {
            Damaged(result, kNoPageTree);
        } else if (!PageTreeWalk(result).Walk(pages, Inherited{}, 1)) {
            result.status = TiffReadStatus::Damaged;
        }
    } catch (std::exception&) {
        Damaged(result, kBroken);
    }
    if (input->ReadFailed()) {
        result.status = TiffReadStatus::CannotOpen;
        result.problem = kReadError;
        result.pages.clear();
        return result;
    }
    result.rebuiltXref = RebuiltXref(pdf);
    return result;
}

TiffReadResult ReadPdfFile(const std::string& path) {
    return ReadBufferedFile(path, [&path](ByteSource& source) { return ReadPdf(source, path); });
}

}  // namespace folvane::pdf
