#include "run/listed_file.h"

#include "pdf/pdf_reader.h"
#include "platform/file_system.h"

namespace folvane {

namespace {

class ListedFileSource final : public TiffFileSource {
  public:
    explicit ListedFileSource(bool withPdf) : withPdf_(withPdf) {}
    TiffReadResult Read(const std::string& path) override { return ReadListedFile(path, withPdf_); }

  private:
    const bool withPdf_;
};

}  // namespace

TiffReadResult ReadListedFile(const std::string& path, bool withPdf) {
    if (withPdf && HasPdfExtensionIgnoringCase(path)) return pdf::ReadPdfFile(path);
    return ReadTiffFile(path);
}

TiffFileSource& DirectFileSource(bool withPdf) {
    // Stateless, so one instance of each serves every thread.
    static ListedFileSource tiffOnly(false);
    static ListedFileSource withPdfFiles(true);
    return withPdf ? withPdfFiles : tiffOnly;
}

}  // namespace folvane
