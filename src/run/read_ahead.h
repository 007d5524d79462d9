// Reads the listed files on worker threads ahead of the run, handing the
// results over strictly in list order. Network shares, where each open
// waits on the server, gain most.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "input/path_list.h"
#include "inspect/tiff_file_source.h"

namespace folvane {

// What the results read ahead may hold in all, whatever the number of
// threads and the size of the files: room for thousands of ordinary files,
// a few MB of memory.
inline constexpr std::size_t kReadAheadBytes = std::size_t{2} << 20;

// The memory a result holds, as the read-ahead counts it.
std::size_t HeldBytes(const TiffReadResult& result);

class ReadAhead final : public TiffFileSource {
  public:
    // How many of the threads read at once.
    enum class ThreadUse {
        All,
        // A few (ReadThreadsFromMemory) while files come from memory, where
        // more threads only share the processors; all of them from the
        // moment reads wait on the storage (a disk's cache missed, a file
        // server). For a number the user did not choose.
        AsReadsWait,
    };
    using ReadFunction = std::function<TiffReadResult(const std::string& path)>;
    // Reads one file, telling `gate` how much its pages hold as it goes.
    using GatedReadFunction =
        std::function<TiffReadResult(const std::string& path, ReadMemoryGate& gate)>;

    // At most `threads` files are read at once, and results waiting to be
    // taken hold at most about `byteBudget` bytes: a file starts only while
    // the results waiting and the files being read, at the size results
    // have had lately, fit. (A file much larger than those before shows its
    // size only once read, so up to one such result per thread can go over;
    // then no file starts until there is room.) A result larger than the
    // whole budget still passes, alone: the file the run waits for is
    // always read. While files are read, the pages they hold so far count
    // too: a file of many pages that has read past the room left waits
    // until the run waits for it, so that however many threads came upon
    // huge files at once, they hold about the budget. The result the run
    // works on counts too, until it asks for the next file.
    // `read` reads one file (tests count and shape results with it).
    ReadAhead(const InputFiles& files, unsigned threads, std::size_t byteBudget = kReadAheadBytes,
              GatedReadFunction read = DefaultRead, ThreadUse use = ThreadUse::All);
    ReadAhead(const InputFiles& files, unsigned threads, std::size_t byteBudget, ReadFunction read);
    // Reads each file as ReadListedFile does.
    ReadAhead(const InputFiles& files, unsigned threads, bool withPdf,
              ThreadUse use = ThreadUse::All);
    ~ReadAhead() override;
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Returns the next file's result; `path` must be that file.
    TiffReadResult Read(const std::string& path) override;

  private:
    static TiffReadResult DefaultRead(const std::string& path, ReadMemoryGate& gate) {
        return ReadTiffFile(path, &gate);
    }

    class Gate;

    // A file read, not yet handed over.
    struct Finished {
        std::size_t index;
        TiffReadResult result;
        std::size_t reported;  // what its pages were last reported to hold
        std::chrono::steady_clock::duration took;
    };

    struct Slot {
        std::optional<TiffReadResult> result;  // none while the file is being read
        std::size_t bytes = 0;
    };

    // Whether a worker may start reading, at file `index` (the lock held).
    bool MayStart(std::size_t index) const;
    // Whether the results held and being read leave room for file `index`.
    bool HasRoomFor(std::size_t index) const;
    // Whether the waiting run should be woken (the lock held): a batch of
    // results is ready, or as many as will be for now.
    bool TakerMayGo() const;
    // Wakes the run if it waits and may go on (the lock held).
    void WakeTakerIfReady();
    // Brings the results ready in order over to `taken_`, waiting for the
    // first of them (the lock held, as `lock`).
    void TakeReadyResults(std::unique_lock<std::mutex>& lock);
    void Work();
    // How many files a worker claims at once (the lock held).
    std::size_t FilesPerClaim() const;
    // Puts the files a worker read into their slots (the lock held).
    void HandOver(std::vector<Finished>& finished);
    // Starts workers up to allowed_ (the lock held).
    void AddWorkers();
    // A file's read took `took` for `pages` pages: with ThreadUse::AsReadsWait,
    // all threads read once reads wait on the storage (the lock held).
    void NoteReadTime(std::chrono::steady_clock::duration took, std::size_t pages);
    // A file being read (number `index`) holds `now` bytes of pages, up
    // from `reported`; waits while there is no room for it, unless the run
    // waits for it.
    void Grow(std::size_t index, std::size_t& reported, std::size_t now,
              std::vector<Finished>& finished);

    const InputFiles& files_;
    const std::size_t budget_;
    const GatedReadFunction read_;
    std::deque<Slot> slots_;  // files nextToTake_ .. nextToClaim_ - 1, each read or being read
    std::size_t nextToClaim_ = 0;
    std::size_t nextToTake_ = 0;
    std::size_t readyThrough_ = 0;  // files nextToTake_ .. readyThrough_ - 1 are read
    std::size_t heldBytes_ = 0;     // results read, until the run asks past them
    std::size_t reading_ = 0;       // files being read now, or claimed to be read next
    std::size_t readers_ = 0;       // workers reading
    std::size_t readingBytes_ = 0;  // what the files being read hold so far, as reported
    // What the next result is expected to hold: the largest of the last
    // few, so that a run of large files slows the read-ahead at once and a
    // run of small ones lets it go ahead again soon.
    std::size_t expectedBytes_;
    unsigned workersWaiting_ = 0;
    std::size_t mostThreads_ = 1;
    std::size_t allowed_ = 1;  // files that may be read at once
    std::size_t fewThreads_ = 1;
    bool adapting_ = false;
    std::uint32_t recentWaits_ = 0;  // a bit for each of the last reads: it waited
    std::size_t readsSeen_ = 0;
    bool takerWaiting_ = false;
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable resultReady_;
    std::condition_variable mayStart_;
    // Files waiting in Grow, by number, each with its own wake-up: when the
    // run moves on, only the file it needs next is woken.
    std::map<std::size_t, std::condition_variable*> growersWaiting_;
    std::vector<std::thread> workers_;

    // The run's own side, touched without the lock: results brought over
    // in order, and what those handed out since the lock was last taken
    // held (still counted in heldBytes_ until then).
    std::deque<Slot> taken_;
    std::size_t nextToHand_ = 0;
    std::size_t handedBytes_ = 0;
    // The pages of small results are handed over in a copy made on the
    // run's thread, and the readers' own storage goes back to the readers
    // to free: memory freed on the thread that allocated it is reused
    // there without the allocator's shared lock. spent_ is the run's,
    // spentByReaders_ under the lock.
    std::vector<std::vector<PageInfo>> spent_;
    std::vector<std::vector<PageInfo>> spentByReaders_;
};

}  // namespace folvane
