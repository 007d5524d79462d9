#include "run/read_ahead.h"

namespace folvane {

namespace {

// Workers claim files in small batches and the run is woken only when it
// waits: a hand-over per file would cost more than reading a small file
// from the page cache.
constexpr std::size_t kBatch = 16;
constexpr std::size_t kBatchesPerThread = 2;

}  // namespace

ReadAhead::ReadAhead(const InputFiles& files, unsigned threads)
    : files_(files), slots_(kBatch * kBatchesPerThread * (threads == 0 ? 1 : threads)) {
    const unsigned count = threads == 0 ? 1 : threads;
    workers_.reserve(count);
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    spaceFreed_.notify_all();
    for (auto& worker : workers_) worker.join();
}

void ReadAhead::Work() {
    std::vector<TiffReadResult> batch;
    std::unique_lock lock(mutex_);
    while (true) {
        spaceFreed_.wait(lock, [this] {
            return stopping_ || (nextToClaim_ < files_.Count() &&
                                 nextToClaim_ + kBatch <= nextToTake_ + slots_.size());
        });
        if (stopping_) return;
        const std::size_t first = nextToClaim_;
        const std::size_t end = std::min(files_.Count(), first + kBatch);
        nextToClaim_ = end;
        lock.unlock();
        batch.clear();
        for (std::size_t i = first; i < end; ++i) batch.push_back(ReadTiffFile(files_.At(i)));
        lock.lock();
        for (std::size_t i = first; i < end; ++i)
            slots_[i % slots_.size()] = std::move(batch[i - first]);
        if (takerWaiting_) resultReady_.notify_one();
    }
}

TiffReadResult ReadAhead::Read(const std::string& path) {
    std::unique_lock lock(mutex_);
    const std::size_t index = nextToTake_;
    // A caller that strays from the list is served directly, never wrongly.
    if (index >= files_.Count() || files_.At(index) != path) {
        lock.unlock();
        return ReadTiffFile(path);
    }
    auto& slot = slots_[index % slots_.size()];
    if (!slot) {
        takerWaiting_ = true;
        resultReady_.wait(lock, [&] { return slot.has_value(); });
        takerWaiting_ = false;
    }
    TiffReadResult result = std::move(*slot);
    slot.reset();
    ++nextToTake_;
    // Room for a whole batch again: a worker may go on.
    const bool wake = nextToTake_ % kBatch == 0;
    lock.unlock();
    if (wake) spaceFreed_.notify_all();
    return result;
}

}  // namespace folvane
