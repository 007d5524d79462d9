// Feeds arbitrary bytes through both readers (TIFF, and PDF through qpdf)
// and on into line composition, the paper-size classification and the size
// summary, the way one listed file travels through a run.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "bytes/buffered_byte_source.h"
#include "bytes/byte_source.h"
#include "inspect/result_lines.h"
#include "inspect/result_list_sink.h"
#include "inspect/tiff_reader.h"
#include "paper/size_summary.h"
#include "pdf/pdf_reader.h"
#include "run/run_preparation.h"
#include "state/form_state.h"
#include "state/selection_state.h"

namespace {

using namespace folvane;

// A broken promise of the reader is a crash here, so the fuzzer reports it.
void Require(bool condition) {
    if (!condition) std::abort();
}

// A PDF file may hold no pages at all and still be complete.
void CheckReadResult(const TiffReadResult& read, bool pdf = false) {
    switch (read.status) {
        case TiffReadStatus::NotTiff:
            Require(read.pages.empty() && !read.problem.empty());
            break;
        case TiffReadStatus::Complete:
            Require((pdf || !read.pages.empty()) && read.lastLink == 0 && read.problem.empty());
            break;
        case TiffReadStatus::Damaged:
        case TiffReadStatus::Locked:
            Require(!read.problem.empty());
            break;
        case TiffReadStatus::CannotOpen:
            // Memory never fails to read.
            Require(false);
            break;
    }
    // However long the chain, memory stays bounded.
    Require(read.pages.size() <= kMaxTiffPages);
}

// Counts the bytes the reader asks for: however the directories are laid
// out, a file costs work in proportion to its size.
class CountingSource final : public ByteSource {
  public:
    explicit CountingSource(std::span<const std::uint8_t> bytes) : inner_(bytes) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    std::optional<std::size_t> ReadAt(std::uint64_t offset, std::span<std::uint8_t> dest) override {
        asked += dest.size();
        return inner_.ReadAt(offset, dest);
    }
    std::uint64_t asked = 0;

  private:
    MemoryByteSource inner_;
};

void ComposeWith(const SelectionState& selection, const TiffReadResult& read) {
    FormState state;
    state.FilesAdded = 1;
    state.CurrentFile = "fuzz.tif";
    const RunPreparation preparation = PrepareRun(state, selection);
    Require(!preparation.refusal);
    VectorResultList lines;
    ComposeFileLines(state, selection, preparation.tally, read, lines);
    Require(state.TotalPages == static_cast<std::int64_t>(read.pages.size()));
    Require(!lines.lines.empty());
    BuildSizeSummary(state, selection);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CountingSource source(std::span<const std::uint8_t>(data, size));
    const TiffReadResult read = ReadTiff(source);
    CheckReadResult(read);
    // Disjoint directories, plus two 8-byte fractions for each of at most
    // size / 6 of them, plus the header.
    Require(source.asked <= 4 * static_cast<std::uint64_t>(size) + 16);

    SelectionState allTicked;
    ComposeWith(allTicked, read);

    // The resolution split puts pages into other tally cells.
    SelectionState split;
    split.Check_RTotal = 1;
    split.AresoText = "200";
    split.BresoText = "400";
    ComposeWith(split, read);

    // The same bytes as a file named .pdf, read through the buffered source
    // as a run reads it.
    MemoryByteSource memory(std::span<const std::uint8_t>(data, size));
    BufferedByteSource buffered(memory);
    const TiffReadResult pdfRead = pdf::ReadPdf(buffered);
    CheckReadResult(pdfRead, /*pdf=*/true);
    Require(pdfRead.status != TiffReadStatus::NotTiff || pdfRead.pdfVersion.empty());
    ComposeWith(allTicked, pdfRead);
    ComposeWith(split, pdfRead);
    return 0;
}
