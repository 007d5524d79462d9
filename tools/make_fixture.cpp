// folvane-mkfixture: writes the bundled sample files, or a large corpus of
// small TIFF files for benchmarks, so neither has to be kept in the
// repository as opaque binaries.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "tiff_builder.h"

namespace fs = std::filesystem;
namespace fx = folvane::fixture;

namespace {

constexpr std::size_t kFilesPerFolder = 1000;

int Usage() {
    std::fputs(
        "usage: folvane-mkfixture samples DIR\n"
        "       folvane-mkfixture corpus DIR COUNT [--nested] [--with-strips] [--pages N]\n",
        stderr);
    return 2;
}

bool MakeDirectory(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "folvane-mkfixture: cannot create %s: %s\n", dir.string().c_str(),
                     ec.message().c_str());
        return false;
    }
    return true;
}

bool Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (fx::WriteFile(path.string(), bytes)) return true;
    std::fprintf(stderr, "folvane-mkfixture: cannot write %s\n", path.string().c_str());
    return false;
}

fx::File Tiff(fx::ByteOrder order, std::vector<fx::Page> pages) {
    fx::File file;
    file.byteOrder = order;
    file.pages = std::move(pages);
    return file;
}

int WriteSamples(const fs::path& dir) {
    if (!MakeDirectory(dir)) return 1;
    using fx::ByteOrder;
    using fx::MakeScanPage;
    struct Sample {
        const char* name;
        fx::File file;
    };
    // Pixel sizes are what scanners report for these papers, so that size
    // recognition is exercised on realistic numbers.
    const std::vector<Sample> samples = {
        {"a4_200dpi.tif", Tiff(ByteOrder::Little, {MakeScanPage(1654, 2339, 200)})},
        {"a3_300dpi_mm.tif", Tiff(ByteOrder::Big, {MakeScanPage(3508, 4961, 300)})},
        {"a4_landscape_400dpi.tif", Tiff(ByteOrder::Little, {MakeScanPage(4677, 3307, 400)})},
        {"multipage.tif",
         Tiff(ByteOrder::Little, {MakeScanPage(2480, 3508, 300), MakeScanPage(2150, 3035, 300),
                                  MakeScanPage(3307, 2339, 200)})},
        {"B4_SCAN.TIF", Tiff(ByteOrder::Little, {MakeScanPage(2028, 2867, 200)})},
    };
    for (const Sample& s : samples) {
        if (!Write(dir / s.name, fx::Build(s.file))) return 1;
    }
    // A file that only looks like a TIFF by its name, so that the program's
    // handling of unreadable input is visible in the samples too.
    const std::string_view text = "This file is not a TIFF image.\n";
    if (!Write(dir / "readme_not_a_tiff.tif", std::vector<std::uint8_t>(text.begin(), text.end())))
        return 1;
    return 0;
}

struct Paper {
    double widthMm;
    double heightMm;
};

// A4, A3, and the B4 and B5 sizes of Japanese scanners.
constexpr Paper kPapers[] = {{210, 297}, {297, 420}, {257, 364}, {182, 257}};
constexpr std::uint32_t kDpis[] = {200, 300, 400};

std::uint32_t Pixels(double mm, std::uint32_t dpi) {
    return static_cast<std::uint32_t>(std::lround(mm * dpi / 25.4));
}

// A strip of white rows in CCITT Group 4: every row repeats the all-white
// row before it, which is the one-bit code "1", and two end-of-line codes
// close the strip. A whole page costs a few hundred bytes, so other TIFF
// tools can read corpus files as complete images while they stay small.
std::vector<std::uint8_t> Group4WhiteRows(std::uint32_t rows) {
    std::vector<std::uint8_t> bytes;
    std::uint32_t bitCount = 0;
    auto putBit = [&](bool one) {
        if (bitCount % 8 == 0) bytes.push_back(0);
        if (one) bytes.back() |= static_cast<std::uint8_t>(0x80u >> (bitCount % 8));
        ++bitCount;
    };
    for (std::uint32_t r = 0; r < rows; ++r) putBit(true);
    for (int eol = 0; eol < 2; ++eol) {
        for (int i = 0; i < 11; ++i) putBit(false);
        putBit(true);
    }
    return bytes;
}

// Byte order alternates with the index, so paper and resolution follow
// index / 2 and index / 8 to reach every combination with both orders.
// Corpus pages carry no image data: the benchmark measures reading
// directories, and tens of thousands of files must stay small and quick to
// write.
fx::Page CorpusPage(std::size_t index, std::size_t pageNumber, bool withStrips) {
    const Paper& paper = kPapers[(index / 2 + pageNumber) % std::size(kPapers)];
    const std::uint32_t dpi = kDpis[(index / 8 + pageNumber) % std::size(kDpis)];
    fx::PageSpec wanted;
    wanted.width = Pixels(paper.widthMm, dpi);
    wanted.height = Pixels(paper.heightMm, dpi);
    wanted.xResolution = fx::Fraction{dpi, 1};
    wanted.yResolution = fx::Fraction{dpi, 1};
    wanted.resolutionUnit = 2;
    wanted.compression = withStrips ? 4 : 32773;
    wanted.photometric = 0;
    wanted.bitsPerSample = {1};
    fx::Page page = fx::MakePage(wanted);
    if (withStrips) page.stripData = Group4WhiteRows(wanted.height);
    return page;
}

// Zero-padded so that names sort in the order they were written.
std::string Numbered(std::string_view prefix, std::size_t n, std::size_t digits,
                     std::string_view suffix) {
    std::string number = std::to_string(n);
    if (number.size() < digits) number.insert(0, digits - number.size(), '0');
    return std::string(prefix) + number + std::string(suffix);
}

// Without `pagesPerFile`, files have 1 to 3 pages.
int WriteCorpus(const fs::path& dir, std::size_t count, bool nested, bool withStrips,
                std::size_t pagesPerFile) {
    if (!MakeDirectory(dir)) return 1;
    fs::path folder = dir;
    for (std::size_t i = 0; i < count; ++i) {
        if (nested && i % kFilesPerFolder == 0) {
            folder = dir / Numbered("d", i / kFilesPerFolder, 4, "");
            if (!MakeDirectory(folder)) return 1;
        }
        std::vector<fx::Page> pages;
        const std::size_t pageCount = pagesPerFile != 0 ? pagesPerFile : 1 + i % 3;
        for (std::size_t p = 0; p < pageCount; ++p) pages.push_back(CorpusPage(i, p, withStrips));
        const fx::ByteOrder order = i % 2 == 0 ? fx::ByteOrder::Little : fx::ByteOrder::Big;
        if (!Write(folder / Numbered("scan", i + 1, 6, ".tif"),
                   fx::Build(Tiff(order, std::move(pages)))))
            return 1;
    }
    return 0;
}

bool ParseCount(std::string_view text, const char* what, std::size_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size()) return true;
    std::fprintf(stderr, "folvane-mkfixture: %s must be a number, not '%.*s'\n", what,
                 static_cast<int>(text.size()), text.data());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "samples") return WriteSamples(args[1]);
    if (args.size() >= 3 && args[0] == "corpus") {
        bool nested = false;
        bool withStrips = false;
        std::size_t pages = 0;
        for (std::size_t i = 3; i < args.size(); ++i) {
            if (args[i] == "--nested") {
                nested = true;
            } else if (args[i] == "--with-strips") {
                withStrips = true;
            } else if (args[i] == "--pages" && i + 1 < args.size()) {
                if (!ParseCount(args[++i], "N", pages)) return 2;
                if (pages == 0) return Usage();
            } else {
                return Usage();
            }
        }
        std::size_t count = 0;
        if (!ParseCount(args[2], "COUNT", count)) return 2;
        return WriteCorpus(args[1], count, nested, withStrips, pages);
    }
    return Usage();
}
