// qpdf's InputSource over a ByteSource, so that a PDF file is read through
// the same buffered reads as a TIFF file: on a file server each read is a
// round trip, and qpdf's many small reads land in a few windows.
#pragma once

#include <string>

#include "bytes/byte_source.h"
#include "pdf/qpdf.h"

namespace folvane::pdf {

class ByteSourceInput final : public InputSource {
  public:
    ByteSourceInput(ByteSource& source, std::string name);

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const& getName() const override { return name_; }
    qpdf_offset_t tell() override { return position_; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { position_ = 0; }
    size_t read(char* buffer, size_t length) override;
    void unreadCh(char ch) override;

    // A read failed (the system's error, not the end of the file). qpdf
    // catches some exceptions and carries on, so the reader asks here.
    bool ReadFailed() const { return readFailed_; }

  private:
    // Reads at position_ without moving it; throws when the system fails.
    std::size_t ReadHere(char* buffer, std::size_t length);

    ByteSource& source_;
    const std::string name_;
    const qpdf_offset_t size_;
    qpdf_offset_t position_ = 0;
    bool readFailed_ = false;
};

}  // namespace folvane::pdf
