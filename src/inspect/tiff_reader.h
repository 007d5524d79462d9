// Reads a TIFF file's header and its chain of image directories, recording
// the fields Folvane reports for every page. Never reads image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bytes/byte_source.h"
#include "inspect/byte_order.h"
#include "inspect/page_info.h"

namespace folvane {

// The longest chain read. Scanned documents stay far below it; a hostile
// file of tiny directories would otherwise cost ~250 bytes of memory per
// 6 bytes of file. The directories before the limit are kept, and the file
// is reported as damaged.
inline constexpr std::size_t kMaxTiffPages = 100000;

// A BigTIFF directory can claim any count; real ones hold a few dozen
// entries. Refusing absurd counts keeps one damaged file from asking for
// gigabytes of memory.
inline constexpr std::uint64_t kMaxBigTiffEntries = 1u << 20;

enum class TiffReadStatus {
    Complete,    // every directory of the chain was read
    NotTiff,     // no "II" or "MM" byte-order mark
    CannotOpen,  // the file could not be opened, or its header read
    Damaged,     // the chain breaks, loops, overlaps itself, goes on past
                 // kMaxTiffPages or cannot be read further (an I/O error);
                 // `pages` holds the directories read before
    Locked,      // a PDF file that needs a password, or is encrypted in a way
                 // not supported; `problem` says which
};

struct TiffReadResult {
    TiffReadStatus status = TiffReadStatus::NotTiff;
    ByteOrder byteOrder = ByteOrder::LittleEndian;
    bool bigTiff = false;
    // Directories read completely: entry count, every entry and the next link.
    std::vector<PageInfo> pages;
    // The last next-directory link read (0 after a complete chain).
    std::uint64_t lastLink = 0;
    // For every status but Complete: what went wrong, in Japanese, with the
    // numbers ("オフセット 4096 がファイルの終わり（2048 バイト）を越えています").
    std::string problem;
    // A PDF file: its version ("1.7"), shown where a TIFF file shows its
    // byte order. Empty for a TIFF file.
    std::string pdfVersion;
    // A PDF file that could be read only by rebuilding its cross-reference
    // table; its pages are counted all the same.
    bool rebuiltXref = false;
};

// Told, while a file is read, how much memory the pages read so far hold,
// every kPagesPerMemoryReport pages: readers running at once keep their
// total bounded by waiting here until there is room. Files of fewer pages
// are never reported, only counted once read.
class ReadMemoryGate {
  public:
    virtual ~ReadMemoryGate() = default;
    virtual void PagesHeld(std::size_t bytes) = 0;
};

inline constexpr std::size_t kPagesPerMemoryReport = 64;

TiffReadResult ReadTiff(ByteSource& source, ReadMemoryGate* gate = nullptr);

// Opens `path` read-only, hands it to `read` through a BufferedByteSource
// and closes it again; a file that cannot be opened is CannotOpen with the
// system's reason. Every reader of whole files opens them this way.
TiffReadResult ReadBufferedFile(const std::string& path,
                                const std::function<TiffReadResult(ByteSource&)>& read);

// Opens `path` read-only, reads it and closes it again.
TiffReadResult ReadTiffFile(const std::string& path, ReadMemoryGate* gate = nullptr);

}  // namespace folvane
