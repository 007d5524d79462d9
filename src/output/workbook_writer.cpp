#include "output/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "platform/scratch_files.h"
#include "platform/utf8.h"

namespace folvane {

namespace {

// Excel's limits: a cell holds at most 32,767 characters, a column is at
// most 255 characters wide; wider than this reads badly anyway.
constexpr std::size_t kMaxCellBytes = 32767;
constexpr double kMaxColumnWidth = 80.0;

// Only well-formed UTF-8 may go into the workbook's XML; a path in another
// encoding (possible on Linux) shows U+FFFD for each broken byte.
std::string WellFormed(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = WellFormedUtf8Length(text.substr(i));
        if (length == 0) {
            clean += "\xEF\xBF\xBD";
            ++i;
        } else {
            clean.append(text.substr(i, length));
            i += length;
        }
    }
    if (clean.size() > kMaxCellBytes)
        clean.resize(CompleteUtf8Prefix(clean.substr(0, kMaxCellBytes)));
    return clean;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The width a text takes in a sheet's default font: a Japanese character
// takes two columns, an ASCII one one.
double DisplayWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            width += 1;
        } else if ((byte & 0xC0) != 0x80) {
            // Half-width katakana (U+FF61..U+FF9F: EF BD A1..EF BE 9F) are narrow.
            const bool halfWidth = byte == 0xEF && i + 1 < text.size() &&
                                   (static_cast<unsigned char>(text[i + 1]) == 0xBD ||
                                    static_cast<unsigned char>(text[i + 1]) == 0xBE);
            width += halfWidth ? 1 : 2;
        }
    }
    return width;
}

std::optional<double> AsNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace

struct WorkbookWriter::Impl {
    struct Sheet {
        std::string name;
        std::vector<std::string> headings;
        NumberColumns numberColumns;
        // Its parts: the first, "NAME (2)", ...
        std::vector<lxw_worksheet*> parts;
        std::vector<std::size_t> partRows;  // data rows in each part
        std::vector<double> widths;         // per column, over every part
    };

    std::string scratchFolder;
    std::string path;  // the workbook's scratch file
    lxw_workbook* workbook = nullptr;
    lxw_format* header = nullptr;
    std::vector<Sheet> sheets;
    std::size_t rowsPerSheet;

    ~Impl() {
        // Given up before WriteTo: the scratch files go without a workbook.
        if (workbook != nullptr) lxw_workbook_free(workbook);
    }

    lxw_worksheet* AddPart(Sheet& sheet) {
        std::string name = sheet.name;
        if (!sheet.parts.empty()) name += " (" + std::to_string(sheet.parts.size() + 1) + ")";
        lxw_worksheet* part = workbook_add_worksheet(workbook, name.c_str());
        if (part == nullptr) return nullptr;
        for (std::size_t c = 0; c < sheet.headings.size(); ++c)
            worksheet_write_string(part, 0, static_cast<lxw_col_t>(c), sheet.headings[c].c_str(),
                                   header);
        worksheet_freeze_panes(part, 1, 0);
        // Printed for an invoice or a delivery check: A4 across, as wide as
        // one sheet of paper, the grid and the header row on every page.
        worksheet_set_paper(part, 9);
        worksheet_set_landscape(part);
        worksheet_fit_to_pages(part, 1, 0);
        worksheet_repeat_rows(part, 0, 0);
        worksheet_gridlines(part, LXW_SHOW_ALL_GRIDLINES);
        sheet.parts.push_back(part);
        sheet.partRows.push_back(0);
        return part;
    }
};

WorkbookWriter::WorkbookWriter(std::size_t rowsPerSheet) : impl_(std::make_unique<Impl>()) {
    impl_->rowsPerSheet = std::clamp<std::size_t>(rowsPerSheet, 1, kSheetDataRows);
}

WorkbookWriter::~WorkbookWriter() = default;

bool WorkbookWriter::Open() {
    const auto folder = ScratchFolderForCRuntime();
    if (!folder) {
        error_ = "一時ファイルのフォルダがありません";
        return false;
    }
    impl_->scratchFolder = *folder;
    impl_->path = UniqueScratchName(*folder, "folvane-", ".xlsx");
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = impl_->scratchFolder.data();
    // No ZIP64: a sheet part stays far below 4 GB (a sheet ends at
    // 1,048,576 rows), and older Excel versions warn about it.
    impl_->workbook = workbook_new_opt(impl_->path.c_str(), &options);
    if (impl_->workbook == nullptr) {
        error_ = impl_->path + ": ブックを作れません";
        return false;
    }
    impl_->header = workbook_add_format(impl_->workbook);
    format_set_bold(impl_->header);
    return true;
}

int WorkbookWriter::AddSheet(std::string_view name, std::span<const std::string> headings,
                             NumberColumns numberColumns) {
    Impl::Sheet sheet{std::string(name),
                      {headings.begin(), headings.end()},
                      numberColumns,
                      {},
                      {},
                      std::vector<double>(headings.size(), 0.0)};
    for (std::size_t c = 0; c < headings.size(); ++c) sheet.widths[c] = DisplayWidth(headings[c]);
    impl_->sheets.push_back(std::move(sheet));
    if (impl_->AddPart(impl_->sheets.back()) == nullptr) {
        error_ = "シートを作れません: " + std::string(name);
        return -1;
    }
    return static_cast<int>(impl_->sheets.size() - 1);
}

bool WorkbookWriter::AddRow(int sheetNumber, std::span<const std::string> cells) {
    if (sheetNumber < 0) return false;
    Impl::Sheet& sheet = impl_->sheets[static_cast<std::size_t>(sheetNumber)];
    if (sheet.partRows.back() == impl_->rowsPerSheet && impl_->AddPart(sheet) == nullptr) {
        error_ = "シートを作れません: " + sheet.name;
        return false;
    }
    lxw_worksheet* part = sheet.parts.back();
    const auto row = static_cast<lxw_row_t>(++sheet.partRows.back());
    for (std::size_t c = 0; c < cells.size() && c < sheet.widths.size(); ++c) {
        const std::string& cell = cells[c];
        if (cell.empty()) continue;
        const auto column = static_cast<lxw_col_t>(c);
        lxw_error result = LXW_NO_ERROR;
        const auto number = sheet.numberColumns(c) ? AsNumber(cell) : std::nullopt;
        if (number) {
            result = worksheet_write_number(part, row, column, *number, nullptr);
            sheet.widths[c] = std::max(sheet.widths[c], static_cast<double>(cell.size()));
        } else if (IsAscii(cell) && cell.size() <= kMaxCellBytes) {
            result = worksheet_write_string(part, row, column, cell.c_str(), nullptr);
            sheet.widths[c] = std::max(sheet.widths[c], static_cast<double>(cell.size()));
        } else {
            const std::string clean = WellFormed(cell);
            result = worksheet_write_string(part, row, column, clean.c_str(), nullptr);
            sheet.widths[c] = std::max(sheet.widths[c], DisplayWidth(clean));
        }
        if (result != LXW_NO_ERROR) {
            error_ = sheet.name + ": " + lxw_strerror(result);
            return false;
        }
    }
    return true;
}

bool WorkbookWriter::WriteTo(OutputStream& out) {
    for (Impl::Sheet& sheet : impl_->sheets) {
        for (std::size_t p = 0; p < sheet.parts.size(); ++p) {
            lxw_worksheet* part = sheet.parts[p];
            const auto lastColumn = static_cast<lxw_col_t>(sheet.headings.size() - 1);
            worksheet_autofilter(part, 0, 0, static_cast<lxw_row_t>(sheet.partRows[p]), lastColumn);
            for (std::size_t c = 0; c < sheet.widths.size(); ++c)
                worksheet_set_column(part, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                     std::min(sheet.widths[c] + 2, kMaxColumnWidth), nullptr);
        }
    }
    const lxw_error closed = workbook_close(impl_->workbook);
    impl_->workbook = nullptr;
    if (closed != LXW_NO_ERROR) {
        error_ = impl_->path + ": " + lxw_strerror(closed);
        std::remove(impl_->path.c_str());
        return false;
    }
    std::FILE* file = std::fopen(impl_->path.c_str(), "rb");
    if (file == nullptr) {
        error_ = impl_->path + ": ブックを読み直せません";
        std::remove(impl_->path.c_str());
        return false;
    }
    // Gone at once where the system lets an open file go (POSIX), so that
    // nothing is left behind however the program ends; elsewhere below.
    const bool removed = std::remove(impl_->path.c_str()) == 0;
    std::vector<char> buffer(std::size_t{1} << 16);
    bool written = true;
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file);
        if (count > 0 && !out.Write(std::string_view(buffer.data(), count))) {
            written = false;
            error_ = out.ErrorMessage();
            break;
        }
        if (count < buffer.size()) {
            if (std::ferror(file) != 0) {
                written = false;
                error_ = impl_->path + ": ブックを読み直せません";
            }
            break;
        }
    }
    std::fclose(file);
    if (!removed) std::remove(impl_->path.c_str());
    return written;
}

}  // namespace folvane
