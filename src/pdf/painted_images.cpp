#include "pdf/painted_images.h"

#include <limits>
#include <set>
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

class ImageSearch {
  public:
    explicit ImageSearch(QPDFObjectHandle pageResources) : pageResources_(pageResources) {}

    void SearchContent(QPDFObjectHandle content, QPDFObjectHandle resources, int depth) {
        Operators operators(*this, resources, depth);
        try {
            QPDFObjectHandle::parseContentStream(content, &operators);
        } catch (std::exception&) {
            // Unreadable content: what was painted before it still counts.
        }
    }

    std::optional<PaintedImage> largest;

  private:
    class Operators final : public QPDFObjectHandle::ParserCallbacks {
      public:
        Operators(ImageSearch& search, QPDFObjectHandle resources, int depth)
            : search_(search), resources_(resources), depth_(depth) {}

        void handleObject(QPDFObjectHandle object) override {
            if (object.isOperator()) {
                if (object.getOperatorValue() == "Do" && !lastName_.empty())
                    search_.Paint(lastName_, resources_, depth_);
                lastName_.clear();
            } else {
                lastName_ = object.isName() ? object.getName() : std::string();
            }
        }
        void handleEOF() override {}

      private:
        ImageSearch& search_;
        QPDFObjectHandle resources_;
        const int depth_;
        std::string lastName_;  // the operand just before, when a name
    };

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

std::optional<PaintedImage> LargestPaintedImage(QPDFObjectHandle page,
                                                QPDFObjectHandle resources) {
    QPDFObjectHandle contents = page.getKey("/Contents");
    if (!contents.isStream() && !contents.isArray()) return std::nullopt;
    ImageSearch search(resources);
    search.SearchContent(contents, resources, 0);
    return search.largest;
}

}  // namespace folvane::pdf
