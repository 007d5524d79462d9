// Reads a PDF file's page tree with qpdf and turns every page into the
// fields a TIFF page has, so that the same composition, paper sizes and
// totals serve both. Reads no image data: only the dictionaries, and the
// content operators that say which images a page paints.
#pragma once

#include <string>

#include "bytes/byte_source.h"
#include "inspect/tiff_reader.h"

namespace folvane::pdf {

// A page tree deeper than this is taken as damage, not followed.
inline constexpr int kMaxPageTreeDepth = 64;

// `name` is used only inside qpdf (it never reaches the results).
TiffReadResult ReadPdf(ByteSource& source, const std::string& name = "PDF");

// Opens `path` read-only, reads it through the buffered source and closes it.
TiffReadResult ReadPdfFile(const std::string& path);

}  // namespace folvane::pdf
