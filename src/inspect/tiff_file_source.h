// Where a run gets each listed file's reading from: straight from the file,
// or from readers working ahead on other threads.
#pragma once

#include <string>

#include "inspect/tiff_reader.h"

namespace folvane {

class TiffFileSource {
  public:
    virtual ~TiffFileSource() = default;
    // Called once per listed file, in list order.
    virtual TiffReadResult Read(const std::string& path) = 0;
};

class DirectTiffFileSource final : public TiffFileSource {
  public:
    TiffReadResult Read(const std::string& path) override { return ReadTiffFile(path); }
};

// The source a run uses when its caller names none.
TiffFileSource& DefaultTiffFileSource();

}  // namespace folvane
