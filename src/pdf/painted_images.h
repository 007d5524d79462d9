// Which image a page shows: the largest image XObject its content paints.
#pragma once

#include <cstdint>
#include <optional>

#include "pdf/qpdf.h"

namespace folvane::pdf {

struct PaintedImage {
    QPDFObjectHandle image;  // the image XObject (a stream)
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Follows the `Do` operators of the page's content (a stream or an array
// of streams read as one) and, through them, of the form XObjects it
// paints (a form without /Resources uses the page's). Inline images,
// resources nothing paints, annotations and patterns do not count. The
// largest image by width x height wins, the first painted on a tie.
// Content that cannot be read ends the search with what was found.
std::optional<PaintedImage> LargestPaintedImage(QPDFObjectHandle page, QPDFObjectHandle resources);

}  // namespace folvane::pdf
