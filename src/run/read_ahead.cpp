#include "run/read_ahead.h"

namespace folvane {

namespace {

constexpr std::size_t kWaitingPerThread = 4;

}  // namespace

ReadAhead::ReadAhead(std::span<const std::string> files, unsigned threads)
    : files_(files), slots_(kWaitingPerThread * (threads == 0 ? 1 : threads)) {
    const unsigned count = threads == 0 ? 1 : threads;
    workers_.reserve(count);
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto& worker : workers_) worker.join();
}

void ReadAhead::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] {
            return stopping_ ||
                   (nextToClaim_ < files_.size() && nextToClaim_ < nextToTake_ + slots_.size());
        });
        if (stopping_) return;
        const std::size_t index = nextToClaim_++;
        lock.unlock();
        TiffReadResult result = ReadTiffFile(files_[index]);
        lock.lock();
        slots_[index % slots_.size()] = std::move(result);
        changed_.notify_all();
    }
}

TiffReadResult ReadAhead::Read(const std::string& path) {
    std::unique_lock lock(mutex_);
    const std::size_t index = nextToTake_;
    // A caller that strays from the list is served directly, never wrongly.
    if (index >= files_.size() || files_[index] != path) {
        lock.unlock();
        return ReadTiffFile(path);
    }
    auto& slot = slots_[index % slots_.size()];
    changed_.wait(lock, [&] { return slot.has_value(); });
    TiffReadResult result = std::move(*slot);
    slot.reset();
    ++nextToTake_;
    lock.unlock();
    changed_.notify_all();
    return result;
}

}  // namespace folvane
