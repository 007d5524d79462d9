// folvane-fuzz-seeds DIR: writes the fuzzer's starting inputs, one small
// file for each way the readers can branch, so that the fuzzer begins deep
// inside the directory chain instead of guessing its way to "II", and
// inside qpdf's objects instead of guessing its way to "%PDF-".
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "pdf_fixtures.h"
#include "tiff_builder.h"

namespace fx = folvane::fixture;

namespace {

using Bytes = std::vector<std::uint8_t>;

fx::PageSpec ScanSpec(std::uint32_t width, std::uint32_t height, std::uint32_t dpi) {
    fx::PageSpec pageSpec = fx::ScanPageSpec(width, height, dpi);
    pageSpec.compression = 4;
    return pageSpec;
}

fx::File FileOf(fx::ByteOrder order, bool bigTiff, std::vector<fx::Page> pages) {
    fx::File file;
    file.byteOrder = order;
    file.bigTiff = bigTiff;
    file.pages = std::move(pages);
    return file;
}

std::vector<std::pair<std::string, Bytes>> Seeds() {
    using fx::ByteOrder;
    const fx::Page a4 = fx::MakePage(ScanSpec(1654, 2339, 200));
    std::vector<std::pair<std::string, Bytes>> seeds;
    auto add = [&seeds](std::string name, Bytes bytes) {
        seeds.emplace_back("seed_" + std::move(name) + ".tif", std::move(bytes));
    };

    add("le_a4", fx::Build(FileOf(ByteOrder::Little, false, {a4})));
    fx::PageSpec shortSizes = ScanSpec(2480, 3508, 300);
    shortSizes.sizesAsShort = true;
    add("be_a4_short_sizes", fx::Build(FileOf(ByteOrder::Big, false, {fx::MakePage(shortSizes)})));
    fx::PageSpec metric = ScanSpec(3307, 2339, 118);
    metric.resolutionUnit = 3;
    metric.photometric = 3;
    metric.bitsPerSample = {8};
    metric.compression = 32773;
    add("le_three_pages",
        fx::Build(FileOf(ByteOrder::Little, false, {a4, fx::MakePage(metric), fx::Page{}})));
    add("bigtiff_le", fx::Build(FileOf(ByteOrder::Little, true, {a4, a4})));
    add("bigtiff_be", fx::Build(FileOf(ByteOrder::Big, true, {fx::MakePage(shortSizes)})));

    fx::PageSpec rgb = ScanSpec(800, 600, 72);
    rgb.bitsPerSample = {8, 8, 8};
    rgb.photometric = 2;
    rgb.yResolution = fx::Fraction{144, 2};
    add("be_rgb_samples_offset", fx::Build(FileOf(ByteOrder::Big, false, {fx::MakePage(rgb)})));

    // The two fractions apart, so each needs a read of its own.
    fx::Page apart;
    apart.sortEntries = false;
    apart.entries = {fx::MakeEntry(282, fx::kRational, {300, 1}),
                     fx::MakeEntry(270, fx::kAscii, {'s', 'c', 'a', 'n', 0}),
                     fx::MakeEntry(283, fx::kRational, {600, 2})};
    add("fractions_apart", fx::Build(FileOf(ByteOrder::Little, false, {apart})));

    fx::Page zeroAndPastEnd;
    zeroAndPastEnd.entries = {fx::MakeEntry(282, fx::kRational, {300, 0}),
                              fx::MakeEntry(283, fx::kRational, {})};
    zeroAndPastEnd.entries[1].rawValueField = 0xFFFFFFF0u;
    add("fraction_zero_and_past_end",
        fx::Build(FileOf(ByteOrder::Little, false, {zeroAndPastEnd})));

    fx::File loop = FileOf(ByteOrder::Little, false, {a4, a4});
    loop.pages[1].nextLinkOverride = 8;
    add("loop_to_first", fx::Build(loop));
    fx::File pastEnd = FileOf(ByteOrder::Big, false, {a4});
    pastEnd.pages[0].nextLinkOverride = 1u << 20;
    add("link_past_end", fx::Build(pastEnd));
    Bytes cut = fx::Build(FileOf(ByteOrder::Little, false, {a4}));
    cut.resize(cut.size() - 20);
    add("cut_in_directory", cut);

    // Directories 6 bytes apart, each claiming entries that overlap the
    // next ones: small enough for the fuzzer's input size limit.
    add("overlapping_directories", fx::BuildOverlappingDirectories(ByteOrder::Little, 2000, 4000));
    add("overlapping_directories_be", fx::BuildOverlappingDirectories(ByteOrder::Big, 600, 900));

    add("header_only", Bytes{'I', 'I', 42, 0, 0, 0, 0, 0});
    add("not_tiff", Bytes{'I', 'M', 42, 0, 8, 0, 0, 0});

    // The PDF path: one file of each kind the PDF reader tells apart.
    for (auto& [name, bytes] : fx::PdfFixtureSet())
        seeds.emplace_back("seed_" + name, std::move(bytes));
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: folvane-fuzz-seeds DIR\n", stderr);
        return 2;
    }
    for (const auto& [name, bytes] : Seeds()) {
        const std::string path = std::string(argv[1]) + "/" + name;
        if (!fx::WriteFile(path, bytes)) {
            std::fprintf(stderr, "folvane-fuzz-seeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
