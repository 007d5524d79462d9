// The compression and colour names a PDF image gets in the result lines:
// the names a TIFF page with the same kind of data gets, where there is one.
#pragma once

#include <string_view>

#include "pdf/qpdf.h"

namespace folvane::pdf {

// From the image's last filter ("G4 Fax" for CCITTFaxDecode with K < 0).
std::string_view ImageCompressionName(QPDFObjectHandle imageDict);

// From /ImageMask, /ColorSpace, /BitsPerComponent and /Decode.
std::string_view ImageColorName(QPDFObjectHandle imageDict);

}  // namespace folvane::pdf
