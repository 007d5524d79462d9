// folvane-mkpdf: writes PDF files with qpdf's own API, so that no test PDF
// has to be kept in the repository as an opaque binary:
//   folvane-mkpdf fixtures DIR            one file of each kind the reader tells apart
//   folvane-mkpdf scan FILE PAGES         one scanned document of PAGES pages
//   folvane-mkpdf corpus DIR COUNT [PAGES] COUNT scanned documents (default 3 pages)
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "pdf_fixtures.h"
#include "tiff_builder.h"

namespace fs = std::filesystem;
namespace fx = folvane::fixture;

namespace {

// A scanned page's G4 image of an A4 page at 300 dpi is some 30 to 60 KB.
constexpr std::size_t kImageBytes = 40000;

int Usage() {
    std::fputs(
        "usage: folvane-mkpdf fixtures DIR\n"
        "       folvane-mkpdf scan FILE PAGES\n"
        "       folvane-mkpdf corpus DIR COUNT [PAGES]\n",
        stderr);
    return 2;
}

bool Number(std::string_view text, std::size_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0;
}

bool Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (fx::WriteFile(path.string(), bytes)) return true;
    std::fprintf(stderr, "folvane-mkpdf: cannot write %s\n", path.string().c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string_view command = argv[1];
    const fs::path target = argv[2];
    if (command == "fixtures" && argc == 3) {
        fs::create_directories(target);
        for (const auto& [name, bytes] : fx::PdfFixtureSet())
            if (!Write(target / name, bytes)) return 1;
        return 0;
    }
    std::size_t count = 0;
    if (command == "scan" && argc == 4 && Number(argv[3], count))
        return Write(target, fx::ScannedPdf(count, kImageBytes)) ? 0 : 1;
    std::size_t pages = 3;
    if (command == "corpus" && (argc == 4 || argc == 5) && Number(argv[3], count) &&
        (argc == 4 || Number(argv[4], pages))) {
        fs::create_directories(target);
        for (std::size_t i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "scan%06zu.pdf", i);
            if (!Write(target / name, fx::ScannedPdf(pages, kImageBytes, i))) return 1;
        }
        return 0;
    }
    return Usage();
}
