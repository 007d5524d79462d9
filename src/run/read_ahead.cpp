#include "run/read_ahead.h"

#include <algorithm>
#include <bit>
#include <thread>
#include <utility>

#include "bytes/buffered_byte_source.h"
#include "platform/memory.h"
#include "run/listed_file.h"
#include "run/read_threads.h"

namespace folvane {

namespace {

// The run is woken once this many results are ready in order (or as many
// as will be for now), and brings at most twice as many over at once:
// with small files read from the page cache, waking it for every file cost
// more than reading them.
constexpr std::size_t kTakenAtOnce = 16;

// Results of at most this many pages are copied on the run's thread (see
// spent_); larger ones are handed over as they are.
constexpr std::size_t kCopiedPages = 64;

// Files claimed at once while reads come from memory.
constexpr std::size_t kFilesPerClaimFromMemory = 8;

// A file whose read takes longer than this (for every 16 pages it has)
// waits on its storage (a disk's cache missed, a file server): more reads
// in flight hide that. From the page cache a small file takes some 5
// microseconds, from this project's virtual test disk 40 to 120.
constexpr std::chrono::steady_clock::duration kWaitingRead = std::chrono::microseconds(25);

}  // namespace

std::size_t HeldBytes(const TiffReadResult& result) {
    // A short text lives inside the string itself.
    const std::size_t problem =
        result.problem.capacity() > std::string().capacity() ? result.problem.capacity() + 1 : 0;
    return sizeof(TiffReadResult) + result.pages.capacity() * sizeof(PageInfo) + problem;
}

class ReadAhead::Gate final : public ReadMemoryGate {
  public:
    Gate(ReadAhead& owner, std::size_t index, std::vector<Finished>& finished)
        : owner_(owner), index_(index), finished_(finished) {}
    void PagesHeld(std::size_t bytes) override { owner_.Grow(index_, reported, bytes, finished_); }
    std::size_t reported = 0;

  private:
    ReadAhead& owner_;
    std::size_t index_;
    std::vector<Finished>& finished_;
};

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads, bool withPdf, ThreadUse use)
    : ReadAhead(
          files, threads, kReadAheadBytes,
          [withPdf](const std::string& path, ReadMemoryGate& gate) {
              return ReadListedFile(path, withPdf, &gate);
          },
          use) {}

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads, std::size_t byteBudget,
                     ReadFunction read)
    : ReadAhead(files, threads, byteBudget,
                [read = std::move(read)](const std::string& path, ReadMemoryGate&) {
                    return read(path);
                }) {}

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads, std::size_t byteBudget,
                     GatedReadFunction read, ThreadUse use)
    : files_(files),
      budget_(byteBudget),
      read_(std::move(read)),
      // Until the first result tells, one file is read at a time: a list of
      // huge files must not start with one read per thread.
      expectedBytes_(byteBudget) {
    ShareOneMemoryPoolBetweenThreads();
    mostThreads_ = std::min<std::size_t>(threads == 0 ? 1 : threads, files.Count());
    allowed_ = mostThreads_;
    if (use == ThreadUse::AsReadsWait) {
        fewThreads_ = std::min<std::size_t>(
            mostThreads_, ReadThreadsFromMemory(std::thread::hardware_concurrency()));
        allowed_ = fewThreads_;
        adapting_ = fewThreads_ < mostThreads_;
    }
    std::lock_guard lock(mutex_);
    AddWorkers();
}

void ReadAhead::AddWorkers() {
    workers_.reserve(mostThreads_);
    while (workers_.size() < allowed_) workers_.emplace_back([this] { Work(); });
}

void ReadAhead::NoteReadTime(std::chrono::steady_clock::duration took, std::size_t pages) {
    // By its pages, so that a file of many pages read from memory does not
    // look like a file waiting on its disk. Of the last 32 reads, half
    // waiting means the storage keeps them waiting; a few are only reads
    // whose thread the system paused for another.
    const auto per16Pages =
        static_cast<std::chrono::steady_clock::rep>(std::max<std::size_t>(1, pages / 16));
    const bool waited = took > kWaitingRead * per16Pages;
    recentWaits_ = (recentWaits_ << 1) | (waited ? 1u : 0u);
    ++readsSeen_;
    if (!adapting_ || stopping_) return;
    const int waits = std::popcount(recentWaits_);
    // Once for the run: files that come from the disk's cache now and
    // then (the system reads ahead of the reader) would otherwise make the
    // number swing, and each swing down cost reads in flight.
    if (waits >= 16 && allowed_ < mostThreads_) {
        allowed_ = mostThreads_;
        AddWorkers();
        mayStart_.notify_one();
    }
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    mayStart_.notify_all();
    {
        std::lock_guard lock(mutex_);
        for (const auto& [index, waiting] : growersWaiting_) waiting->notify_one();
    }
    for (auto& worker : workers_) worker.join();
}

bool ReadAhead::MayStart(std::size_t index) const {
    return readers_ < allowed_ && HasRoomFor(index);
}

bool ReadAhead::HasRoomFor(std::size_t index) const {
    const std::size_t used = heldBytes_ + readingBytes_;
    if (used < budget_ && expectedBytes_ <= (budget_ - used) / (reading_ + 1)) return true;
    // No room: the file the run waits for is read all the same, so that a
    // result larger than the whole budget passes, alone, and the run goes
    // on. Only once the run waits: while it still works on the file
    // before, that one's result and this one's would be held together.
    return index == nextToTake_ && takerWaiting_;
}

void ReadAhead::Work() {
    const KeptWindows keptWindows;
    std::vector<Finished> finished;
    std::vector<std::vector<PageInfo>> toFree;
    std::unique_lock lock(mutex_);
    while (true) {
        HandOver(finished);
        ++workersWaiting_;
        // A worker with no room stops the results growing: the run takes
        // what is ready rather than wait for a whole batch.
        WakeTakerIfReady();
        mayStart_.wait(lock, [this] {
            return stopping_ || nextToClaim_ >= files_.Count() || MayStart(nextToClaim_);
        });
        --workersWaiting_;
        if (stopping_ || nextToClaim_ >= files_.Count()) {
            // The others waiting end too, each woken by the one before.
            if (workersWaiting_ > 0) mayStart_.notify_one();
            return;
        }
        // A file at a time while reads wait on the storage, which keeps the
        // run's next file among those being read; several while they come
        // from memory, where taking the lock for each file made the
        // threads wait on each other.
        const std::size_t first = nextToClaim_;
        const std::size_t batch = FilesPerClaim();
        ++readers_;
        do {
            ++nextToClaim_;
            slots_.emplace_back();
            ++reading_;
        } while (nextToClaim_ - first < batch && nextToClaim_ < files_.Count() &&
                 HasRoomFor(nextToClaim_));
        const std::size_t claimed = nextToClaim_ - first;
        // As many as the reader allocates per file: more would overflow the
        // allocator's per-thread cache.
        for (std::size_t i = 0; i < 2 * claimed && !spentByReaders_.empty(); ++i) {
            toFree.push_back(std::move(spentByReaders_.back()));
            spentByReaders_.pop_back();
        }
        // Every waiting worker asks the same question, so one is woken at a
        // time and wakes the next while files may start: waking them all at
        // every change cost seconds of the system's time at -j 256.
        if (workersWaiting_ > 0 && (nextToClaim_ >= files_.Count() || MayStart(nextToClaim_)))
            mayStart_.notify_one();
        lock.unlock();
        toFree.clear();
        for (std::size_t index = first; index < first + claimed; ++index) {
            Gate gate(*this, index, finished);
            const auto started = std::chrono::steady_clock::now();
            TiffReadResult result = read_(files_.At(index), gate);
            finished.push_back({index, std::move(result), gate.reported,
                                std::chrono::steady_clock::now() - started});
        }
        lock.lock();
        --readers_;
    }
}

std::size_t ReadAhead::FilesPerClaim() const {
    // Only once enough reads were seen to tell, and while few of them wait.
    return readsSeen_ >= 32 && std::popcount(recentWaits_) <= 4 ? kFilesPerClaimFromMemory : 1;
}

void ReadAhead::HandOver(std::vector<Finished>& finished) {
    if (finished.empty()) return;
    const std::size_t expectedBefore = expectedBytes_;
    for (Finished& done : finished) {
        NoteReadTime(done.took, done.result.pages.size());
        const std::size_t bytes = HeldBytes(done.result);
        --reading_;
        readingBytes_ -= done.reported;
        Slot& slot = slots_[done.index - nextToTake_];
        slot.result = std::move(done.result);
        slot.bytes = bytes;
        heldBytes_ += bytes;
        expectedBytes_ = std::max(bytes, expectedBytes_ / 2);
    }
    finished.clear();
    while (readyThrough_ < nextToClaim_ && slots_[readyThrough_ - nextToTake_].result)
        ++readyThrough_;
    WakeTakerIfReady();
    // Smaller results than feared (as at the start): more files may be
    // read at once now, not only once the run takes one.
    if (workersWaiting_ > 0 && expectedBytes_ < expectedBefore && heldBytes_ <= budget_ / 2)
        mayStart_.notify_one();
}

void ReadAhead::Grow(std::size_t index, std::size_t& reported, std::size_t now,
                     std::vector<Finished>& finished) {
    std::unique_lock lock(mutex_);
    readingBytes_ += now - reported;
    reported = now;
    // The result the run works on counts until it asks for the next file:
    // a huge file read while the run still writes out the one before would
    // hold two at once. The file the run waits for always goes on: it is
    // what lets the run, and so every other file, go on.
    const auto mayGo = [&] {
        return stopping_ || (index == nextToTake_ && takerWaiting_) ||
               heldBytes_ + readingBytes_ <= budget_;
    };
    if (mayGo()) return;
    // The files read before this one in the same claim go to the run
    // first: it may need them before it can let this one go on.
    HandOver(finished);
    if (mayGo()) return;
    std::condition_variable woken;
    growersWaiting_[index] = &woken;
    WakeTakerIfReady();
    woken.wait(lock, mayGo);
    growersWaiting_.erase(index);
}

bool ReadAhead::TakerMayGo() const {
    if (readyThrough_ == nextToTake_) return false;
    // (A worker waiting while fewer files than allowed are read waits for
    // room, or has nothing left to read.)
    return readyThrough_ - nextToTake_ >= kTakenAtOnce || readyThrough_ == nextToClaim_ ||
           (workersWaiting_ > 0 && readers_ < allowed_) || !growersWaiting_.empty();
}

void ReadAhead::WakeTakerIfReady() {
    if (takerWaiting_ && TakerMayGo()) resultReady_.notify_one();
}

void ReadAhead::TakeReadyResults(std::unique_lock<std::mutex>& lock) {
    // The run is done with every result it was handed: those count as
    // held until it asks for more, the one it works on among them.
    heldBytes_ -= handedBytes_;
    handedBytes_ = 0;
    for (auto& pages : spent_) spentByReaders_.push_back(std::move(pages));
    spent_.clear();
    if (readyThrough_ == nextToTake_) {
        takerWaiting_ = true;
        if (const auto next = growersWaiting_.find(nextToTake_); next != growersWaiting_.end())
            next->second->notify_one();
        // The file may be waiting for the run to wait for it.
        if (workersWaiting_ > 0 && nextToTake_ >= nextToClaim_) mayStart_.notify_one();
        resultReady_.wait(lock, [this] { return TakerMayGo(); });
        takerWaiting_ = false;
    }
    const std::size_t count = std::min(readyThrough_ - nextToTake_, 2 * kTakenAtOnce);
    for (std::size_t i = 0; i < count; ++i) {
        taken_.push_back(std::move(slots_.front()));
        slots_.pop_front();
    }
    nextToTake_ += count;
    // Workers waiting for room are woken once half of it is free rather
    // than at every file taken.
    const bool wake = workersWaiting_ > 0 && heldBytes_ <= budget_ / 2;
    // There may be room again for the files waiting for it. (The file the
    // run needs next is woken when the run waits for it.)
    if (heldBytes_ + readingBytes_ <= budget_)
        for (const auto& [waiting, woken] : growersWaiting_) woken->notify_one();
    lock.unlock();
    if (wake) mayStart_.notify_one();
}

TiffReadResult ReadAhead::Read(const std::string& path) {
    const std::size_t index = nextToHand_;
    // A caller that strays from the list is served directly, never wrongly.
    if (workers_.empty() || index >= files_.Count() || !files_.Is(index, path)) {
        struct Unbounded final : ReadMemoryGate {
            void PagesHeld(std::size_t) override {}
        } unbounded;
        return read_(path, unbounded);
    }
    if (taken_.empty()) {
        std::unique_lock lock(mutex_);
        TakeReadyResults(lock);
    }
    Slot slot = std::move(taken_.front());
    taken_.pop_front();
    handedBytes_ += slot.bytes;
    ++nextToHand_;
    TiffReadResult result = std::move(*slot.result);
    if (!result.pages.empty() && result.pages.size() <= kCopiedPages) {
        std::vector<PageInfo> copy(result.pages.begin(), result.pages.end());
        spent_.push_back(std::move(result.pages));
        result.pages = std::move(copy);
    }
    return result;
}

}  // namespace folvane
