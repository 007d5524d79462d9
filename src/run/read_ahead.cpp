#include "run/read_ahead.h"

#include <algorithm>
#include <utility>

#include "platform/memory.h"
#include "run/listed_file.h"

namespace folvane {

std::size_t HeldBytes(const TiffReadResult& result) {
    // A short text lives inside the string itself.
    const std::size_t problem =
        result.problem.capacity() > std::string().capacity() ? result.problem.capacity() + 1 : 0;
    return sizeof(TiffReadResult) + result.pages.capacity() * sizeof(PageInfo) + problem;
}

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads, bool withPdf)
    : ReadAhead(files, threads, kReadAheadBytes,
                [withPdf](const std::string& path) { return ReadListedFile(path, withPdf); }) {}

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads, std::size_t byteBudget,
                     ReadFunction read)
    : files_(files),
      budget_(byteBudget),
      read_(std::move(read)),
      // Until the first result tells, one file is read at a time: a list of
      // huge files must not start with one read per thread.
      expectedBytes_(byteBudget) {
    ShareOneMemoryPoolBetweenThreads();
    const std::size_t count = std::min<std::size_t>(threads == 0 ? 1 : threads, files.Count());
    workers_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    mayStart_.notify_all();
    for (auto& worker : workers_) worker.join();
}

bool ReadAhead::MayStart(std::size_t index) const {
    if (heldBytes_ < budget_ && expectedBytes_ <= (budget_ - heldBytes_) / (reading_ + 1))
        return true;
    // No room: the file the run waits for is read all the same, so that a
    // result larger than the whole budget passes, alone, and the run goes
    // on. Only once the run waits: while it still works on the file
    // before, that one's result and this one's would be held together.
    return index == nextToTake_ && takerWaiting_;
}

void ReadAhead::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        ++workersWaiting_;
        mayStart_.wait(lock, [this] {
            return stopping_ || nextToClaim_ >= files_.Count() || MayStart(nextToClaim_);
        });
        --workersWaiting_;
        if (stopping_ || nextToClaim_ >= files_.Count()) return;
        // One file at a time: the lock is taken to hand the result over
        // anyway, and files taken singly keep the run's next file among
        // those being read.
        const std::size_t index = nextToClaim_++;
        slots_.emplace_back();
        ++reading_;
        lock.unlock();
        TiffReadResult result = read_(files_.At(index));
        const std::size_t bytes = HeldBytes(result);
        lock.lock();
        --reading_;
        Slot& slot = slots_[index - nextToTake_];
        slot.result = std::move(result);
        slot.bytes = bytes;
        heldBytes_ += bytes;
        const std::size_t expectedBefore = expectedBytes_;
        expectedBytes_ = std::max(bytes, expectedBytes_ / 2);
        if (takerWaiting_ && index == nextToTake_) resultReady_.notify_one();
        // Smaller results than feared (as at the start): more files may be
        // read at once now, not only once the run takes one.
        if (workersWaiting_ > 0 && expectedBytes_ < expectedBefore && heldBytes_ <= budget_ / 2)
            mayStart_.notify_all();
    }
}

TiffReadResult ReadAhead::Read(const std::string& path) {
    std::unique_lock lock(mutex_);
    const std::size_t index = nextToTake_;
    // A caller that strays from the list is served directly, never wrongly.
    if (workers_.empty() || index >= files_.Count() || files_.At(index) != path) {
        lock.unlock();
        return read_(path);
    }
    auto ready = [this, index] { return index < nextToClaim_ && slots_.front().result; };
    if (!ready()) {
        takerWaiting_ = true;
        // The file may be waiting for the run to wait for it.
        if (workersWaiting_ > 0 && index >= nextToClaim_) mayStart_.notify_all();
        resultReady_.wait(lock, ready);
        takerWaiting_ = false;
    }
    Slot slot = std::move(slots_.front());
    slots_.pop_front();
    heldBytes_ -= slot.bytes;
    ++nextToTake_;
    // Workers waiting for room are woken once half of it is free rather
    // than at every file taken.
    const bool wake = workersWaiting_ > 0 && heldBytes_ <= budget_ / 2;
    lock.unlock();
    if (wake) mayStart_.notify_all();
    return std::move(*slot.result);
}

}  // namespace folvane
