#include "pdf/page_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace folvane::pdf {

namespace {

struct Box {
    double left, bottom, right, top;
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
    bool HasArea() const {
        return Width() > 0 && Height() > 0 && std::isfinite(Width()) && std::isfinite(Height());
    }
};

// Four finite numbers, in any corner order; nothing otherwise.
std::optional<Box> ReadBox(QPDFObjectHandle box) {
    if (!box.isArray() || box.getArrayNItems() != 4) return std::nullopt;
    std::array<double, 4> v{};
    for (int i = 0; i < 4; ++i) {
        QPDFObjectHandle item = box.getArrayItem(i);
        if (!item.isNumber()) return std::nullopt;
        v[static_cast<std::size_t>(i)] = item.getNumericValue();
        if (!std::isfinite(v[static_cast<std::size_t>(i)])) return std::nullopt;
    }
    return Box{std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]),
               std::max(v[1], v[3])};
}

int ReadRotate(QPDFObjectHandle rotate) {
    long long degrees = 0;
    if (rotate.isInteger()) {
        degrees = rotate.getIntValue();
    } else if (rotate.isReal()) {
        // A real counts when its value is a whole number (90.0).
        const double value = rotate.getNumericValue();
        if (!std::isfinite(value) || std::trunc(value) != value || std::fabs(value) > 1e15)
            return 0;
        degrees = static_cast<long long>(value);
    } else {
        return 0;
    }
    if (degrees % 90 != 0) return 0;
    return static_cast<int>(((degrees % 360) + 360) % 360);
}

double ReadUserUnit(QPDFObjectHandle page) {
    QPDFObjectHandle unit = page.getKey("/UserUnit");
    if (!unit.isNumber()) return 1.0;
    const double value = unit.getNumericValue();
    return std::isfinite(value) && value > 0 ? value : 1.0;
}

}  // namespace

PageGeometry ReadPageGeometry(QPDFObjectHandle page, QPDFObjectHandle mediaBox,
                              QPDFObjectHandle cropBox, QPDFObjectHandle rotate) {
    // Without a usable MediaBox viewers show US Letter.
    Box media{0, 0, 612, 792};
    if (const auto read = ReadBox(mediaBox); read && read->HasArea()) media = *read;
    Box shown = media;
    if (const auto crop = ReadBox(cropBox)) {
        const Box clipped{std::max(crop->left, media.left), std::max(crop->bottom, media.bottom),
                          std::min(crop->right, media.right), std::min(crop->top, media.top)};
        // An empty CropBox, or one entirely outside the MediaBox, is ignored.
        if (crop->HasArea() && clipped.HasArea()) shown = clipped;
    }
    return {.widthPoints = shown.Width(),
            .heightPoints = shown.Height(),
            .userUnit = ReadUserUnit(page),
            .rotate = ReadRotate(rotate)};
}

}  // namespace folvane::pdf
