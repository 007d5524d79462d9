#include "pdf/painted_images.h"

#include <limits>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace folvane::pdf {

namespace {

// Forms painting forms: real files nest a few levels; a deeper chain is
// not followed, so a hostile file cannot exhaust the stack.
constexpr int kMaxFormDepth = 32;

std::uint64_t PixelCount(std::int64_t width, std::int64_t height) {
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    if (w != 0 && h > std::numeric_limits<std::uint64_t>::max() / w)
        return std::numeric_limits<std::uint64_t>::max();
    return w * h;
}

// A positive whole number, as /Width and /Height must be.
std::optional<std::int64_t> PositiveInteger(QPDFObjectHandle value) {
    if (!value.isInteger()) return std::nullopt;
    const long long n = value.getIntValue();
    if (n <= 0) return std::nullopt;
    return static_cast<std::int64_t>(n);
}

// A page's content beyond this is not read: scanned pages hold a few
// dozen bytes, text-heavy pages a few hundred kilobytes, and a compressed
// stream that inflates past it (a "zip bomb") must not exhaust memory.
constexpr std::size_t kMaxContentBytes = std::size_t{32} << 20;

// Collects decoded content up to kMaxContentBytes, then stops the decoding.
class ContentCollector final : public Pipeline {
  public:
    explicit ContentCollector(std::string& bytes) : Pipeline("content", nullptr), bytes_(bytes) {}
    void write(unsigned char const* data, size_t length) override {
        if (length > kMaxContentBytes - bytes_.size()) throw std::length_error("content too long");
        bytes_.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}

  private:
    std::string& bytes_;
};

// A content stream's bytes, decoded; an array of streams is read as one,
// each part ending a token. Whatever could be decoded is kept.
std::string ContentBytes(QPDFObjectHandle content) {
    std::string bytes;
    auto append = [&bytes](QPDFObjectHandle stream) {
        if (!stream.isStream() || bytes.size() >= kMaxContentBytes) return;
        ContentCollector collector(bytes);
        try {
            stream.pipeStreamData(&collector, 0, qpdf_dl_generalized, /*suppress_warnings=*/true);
        } catch (std::exception&) {
            // Undecodable or too long: the operators read so far still count.
        }
        if (bytes.size() < kMaxContentBytes) bytes += '\n';
    };
    if (content.isArray()) {
        const int count = content.getArrayNItems();
        for (int i = 0; i < count; ++i) append(content.getArrayItem(i));
    } else {
        append(content);
    }
    return bytes;
}

class ImageSearch {
  public:
    explicit ImageSearch(QPDFObjectHandle pageResources) : pageResources_(pageResources) {}

    // Only the operators matter, and of those only `Do` and the name before
    // it: the tokens are read without building objects of them.
    void SearchContent(QPDFObjectHandle content, QPDFObjectHandle resources, int depth) {
        try {
            auto input = std::make_shared<BufferInputSource>("content", ContentBytes(content));
            QPDFTokenizer tokenizer;
            tokenizer.allowEOF();
            std::string lastName;  // the token just before, when a name
            for (;;) {
                const QPDFTokenizer::Token token =
                    tokenizer.readToken(input, "content", /*allow_bad=*/true);
                const auto type = token.getType();
                if (type == QPDFTokenizer::tt_eof) break;
                if (type == QPDFTokenizer::tt_name) {
                    lastName = token.getValue();
                    continue;
                }
                if (type == QPDFTokenizer::tt_word) {
                    const std::string& word = token.getValue();
                    if (word == "Do" && !lastName.empty()) {
                        Paint(lastName, resources, depth);
                    } else if (word == "ID") {
                        // An inline image's data: skipped whole, never painted
                        // as an XObject.
                        char separator = 0;
                        input->read(&separator, 1);
                        tokenizer.expectInlineImage(input);
                    }
                }
                lastName.clear();
            }
        } catch (std::exception&) {
            // Unreadable content: what was painted before it still counts.
        }
    }

    std::optional<PaintedImage> largest;

  private:
    void Paint(const std::string& name, QPDFObjectHandle resources, int depth) {
        if (!resources.isDictionary()) return;
        QPDFObjectHandle xobjects = resources.getKey("/XObject");
        if (!xobjects.isDictionary()) return;
        QPDFObjectHandle xobject = xobjects.getKey(name);
        if (!xobject.isStream()) return;
        QPDFObjectHandle dict = xobject.getDict();
        QPDFObjectHandle subtype = dict.getKey("/Subtype");
        if (subtype.isNameAndEquals("/Image")) return Consider(xobject, dict);
        if (!subtype.isNameAndEquals("/Form") || depth >= kMaxFormDepth) return;
        // A form is followed once per page: painting it again paints the
        // same images, and a form that paints itself ends here.
        if (!searchedForms_.insert(xobject.getObjGen()).second) return;
        QPDFObjectHandle formResources = dict.getKey("/Resources");
        SearchContent(xobject, formResources.isDictionary() ? formResources : pageResources_,
                      depth + 1);
    }

    void Consider(QPDFObjectHandle image, QPDFObjectHandle dict) {
        if (!seenImages_.insert(image.getObjGen()).second) return;
        const auto width = PositiveInteger(dict.getKey("/Width"));
        const auto height = PositiveInteger(dict.getKey("/Height"));
        if (!width || !height) return;
        if (largest && PixelCount(*width, *height) <= PixelCount(largest->width, largest->height))
            return;
        largest = PaintedImage{image, *width, *height};
    }

    QPDFObjectHandle pageResources_;
    std::set<QPDFObjGen> searchedForms_;
    std::set<QPDFObjGen> seenImages_;
};

}  // namespace

std::optional<PaintedImage> LargestPaintedImage(QPDFObjectHandle page, QPDFObjectHandle resources) {
    QPDFObjectHandle contents = page.getKey("/Contents");
    if (!contents.isStream() && !contents.isArray()) return std::nullopt;
    ImageSearch search(resources);
    search.SearchContent(contents, resources, 0);
    return search.largest;
}

}  // namespace folvane::pdf
