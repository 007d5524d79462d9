// Reading one file of the input list with the reader its name calls for.
#pragma once

#include <string>

#include "inspect/tiff_file_source.h"

namespace folvane {

// With PDF files taken (`withPdf`), a name ending in ".pdf" in any letter
// case is read as a PDF file; every other name, and every name without
// them, as a TIFF file, as ever.
TiffReadResult ReadListedFile(const std::string& path, bool withPdf);

// The source for a run that reads its files one by one on its own thread.
TiffFileSource& DirectFileSource(bool withPdf);

}  // namespace folvane
