#include "inspect/result_lines.h"

#include "inspect/page_texts.h"
#include "inspect/snap_dimension.h"
#include "paper/classify_paper_size.h"
#include "state/texts.h"

namespace folvane {

namespace {

// The three tabs that put a message where page lines start.
constexpr std::string_view kMessageIndent = "\t\t\t";

void AppendMessageFile(FormState& state, std::string& list, std::string_view message,
                       std::string_view reason, ResultListSink& resultList) {
    // The path is listed whatever the column boxes say, so the message
    // always names its file.
    resultList.AppendLine(state.CurrentFile);
    std::string line(kMessageIndent);
    line += message;
    resultList.AppendLine(line);
    AppendListedFile(list, state.CurrentFile, reason);
    state.HeaderLine.clear();
    state.ResultState = 1;
}

void ComposePageLine(FormState& state, const SelectionState& selection, const PageInfo& page,
                     Paper paper, ResultListSink& resultList) {
    const PageSides sides = SidesOf(page);
    const bool landscape = sides.landscape;
    const auto& longSide = landscape ? page.Width : page.Height;
    const auto& shortSide = landscape ? page.Height : page.Width;
    const auto& longResolution = landscape ? page.XResolution : page.YResolution;
    const auto& shortResolution = landscape ? page.YResolution : page.XResolution;
    // A PDF page without an image has no pixels and no resolution to show.
    const bool hasImage = !page.BoxWidthPoints;

    state.ColumnCount = 0;
    state.PageLine = "\t\t";
    auto addColumn = [&](int box, auto&& makeText) {
        if (!IsTicked(selection.Check[box])) return;
        state.PageLine += '\t';
        state.PageLine += makeText();
        ++state.ColumnCount;
    };
    addColumn(kPixelSizeColumn, [&] {
        if (!hasImage) return std::string();
        return DigitsText(longSide) + " x " + DigitsText(shortSide);
    });
    addColumn(kResolutionColumn, [&] {
        if (!hasImage) return std::string();
        std::string r = ResolutionText(longResolution);
        if (longResolution.value_or(0) != shortResolution.value_or(0))
            r += " x " + ResolutionText(shortResolution);
        return r + " " + std::string(UnitText(page.UnitName));
    });
    addColumn(kMillimetreColumn, [&] {
        const auto& longDots = landscape ? sides.width : sides.height;
        const auto& shortDots = landscape ? sides.height : sides.width;
        const auto& longDensity = landscape ? sides.xResolution : sides.yResolution;
        const auto& shortDensity = landscape ? sides.yResolution : sides.xResolution;
        return MillimetreText(longDots, longDensity, sides.unit, true) + " x " +
               MillimetreText(shortDots, shortDensity, sides.unit, true);
    });
    addColumn(kCompressionColumn, [&] { return std::string(page.CompressionName); });
    addColumn(kColourColumn, [&] { return std::string(page.ColorName); });
    addColumn(kPaperColumn, [&] { return std::string(PaperNameText(paper)); });
    addColumn(kOrientationColumn,
              [&] { return std::string(landscape ? text::kLandscape : text::kPortrait); });
    if (state.ColumnCount != 0) resultList.AppendLine(state.PageLine);
}

}  // namespace

void AppendListedFile(std::string& list, std::string_view path, std::string_view reason) {
    list += text::kCrLf;
    list += '\t';
    list += path;
    if (reason.empty()) return;
    list += '\t';
    list += reason;
}

std::string FileFormatText(const TiffReadResult& read) {
    if (!read.pdfVersion.empty()) return "PDF " + read.pdfVersion;
    return std::string(read.byteOrder == ByteOrder::LittleEndian ? text::kLittleEndianName
                                                                 : text::kBigEndianName);
}

Paper ClassifyPage(const PageInfo& page, const TallyResolutions& tally, TallyTable& sizeTally) {
    const PageSides sides = SidesOf(page);
    const auto width = SnapDimension(sides.width, sides.xResolution, sides.unit);
    const auto height = SnapDimension(sides.height, sides.yResolution, sides.unit);
    const ResolutionClass cls =
        page.BoxWidthPoints ? ResolutionClass::Rest : ClassifyResolution(tally, page.XResolution);
    return ClassifyPaperSize(width.text, height.text, cls, sizeTally);
}

void ComposeFileLines(FormState& state, const SelectionState& selection,
                      const TallyResolutions& tally, const TiffReadResult& read,
                      ResultListSink& resultList) {
    switch (read.status) {
        case TiffReadStatus::NotTiff:
            // The list of files that are not TIFF files names no reasons:
            // the heading is the reason.
            return AppendMessageFile(state, state.NotTiffText, text::kNotTiffHeading, {},
                                     resultList);
        case TiffReadStatus::CannotOpen:
            return AppendMessageFile(state, state.ErrorFileText, text::kCannotOpen, read.problem,
                                     resultList);
        case TiffReadStatus::Complete:
        case TiffReadStatus::Damaged:
        case TiffReadStatus::Locked:
            break;
    }

    const auto pageCount = static_cast<std::int64_t>(read.pages.size());
    state.TotalPages += pageCount;
    state.DirectoryOffset = read.lastLink;

    // Every page is named and counted before any line is written, in page
    // order, as each directory is read.
    std::vector<Paper> papers;
    papers.reserve(read.pages.size());
    for (const auto& page : read.pages)
        papers.push_back(ClassifyPage(page, tally, state.SizeTally));

    state.HeaderLine.clear();
    if (IsTicked(selection.Check[kPathColumn])) resultList.AppendLine(state.CurrentFile);
    if (IsTicked(selection.Check[kByteOrderColumn])) {
        state.HeaderLine.push_back('\t');  // HeaderLine was emptied above
        state.HeaderLine += FileFormatText(read);
    }
    if (IsTicked(selection.Check[kPageCountColumn])) {
        state.HeaderLine += '\t';
        state.HeaderLine += std::to_string(pageCount);
        state.HeaderLine += text::kPagesSuffix;
    }
    if (!state.HeaderLine.empty()) resultList.AppendLine(state.HeaderLine);

    for (std::size_t p = 0; p < read.pages.size(); ++p)
        ComposePageLine(state, selection, read.pages[p], papers[p], resultList);

    if (read.status == TiffReadStatus::Damaged || read.status == TiffReadStatus::Locked) {
        std::string line(kMessageIndent);
        // A locked file's line says what it needs ("パスワードが必要です").
        line +=
            read.status == TiffReadStatus::Locked ? std::string_view(read.problem) : text::kDamaged;
        resultList.AppendLine(line);
        AppendListedFile(state.ErrorFileText, state.CurrentFile, read.problem);
    }
    state.ResultState = 1;
}

}  // namespace folvane
