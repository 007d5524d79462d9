#include "run/read_ahead.h"

#include "run/read_threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace folvane {
namespace {

std::vector<std::string> Names(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        // Not "f" + std::to_string(i): GCC 12 warns falsely (-Wrestrict) about that in release
        // builds.
        std::string name = std::to_string(i);
        names.push_back(name.insert(0, 1, 'f'));
    }
    return names;
}

std::size_t IndexOf(const std::string& name) { return std::stoul(name.substr(1)); }

// A result that holds `pages` pages and names its file in lastLink.
TiffReadResult MadeResult(std::size_t index, std::size_t pages) {
    TiffReadResult result;
    result.status = TiffReadStatus::Complete;
    result.pages.resize(pages);
    result.pages.shrink_to_fit();
    result.lastLink = index;
    return result;
}

std::size_t PagesFor(std::size_t bytes) { return bytes / sizeof(PageInfo); }

// Keeps count of the results read and not yet taken by the run, in bytes
// and in files, and of the files being read at once.
class Tracker {
  public:
    TiffReadResult Read(std::size_t index, std::size_t pages) {
        const int now = ++reading_;
        Raise(peakReading_, now);
        TiffReadResult result = MadeResult(index, pages);
        std::lock_guard lock(mutex_);
        --reading_;
        liveBytes_ += HeldBytes(result);
        ++liveFiles_;
        peakBytes_ = std::max(peakBytes_, liveBytes_);
        peakFiles_ = std::max(peakFiles_, liveFiles_);
        return result;
    }
    void Taken(const TiffReadResult& result) {
        std::lock_guard lock(mutex_);
        liveBytes_ -= HeldBytes(result);
        --liveFiles_;
    }
    std::size_t PeakBytes() const { return peakBytes_; }
    std::size_t PeakFiles() const { return peakFiles_; }
    int PeakReading() const { return peakReading_; }

  private:
    static void Raise(std::atomic<int>& peak, int value) {
        int seen = peak.load();
        while (value > seen && !peak.compare_exchange_weak(seen, value)) {
        }
    }
    std::atomic<int> reading_{0};
    std::atomic<int> peakReading_{0};
    std::mutex mutex_;
    std::size_t liveBytes_ = 0, liveFiles_ = 0, peakBytes_ = 0, peakFiles_ = 0;
};

TEST(ReadAhead, HandsResultsOverInListOrder) {
    for (const unsigned threads : {1u, 2u, 8u, 32u}) {
        const auto names = Names(600);
        const SpanInputFiles files(names);
        ReadAhead ahead(files, threads, 64 * 1024, [](const std::string& path) {
            const std::size_t index = IndexOf(path);
            // Uneven read times shuffle the order in which reads finish.
            std::this_thread::sleep_for(std::chrono::microseconds(index * 7919 % 13 * 20));
            return MadeResult(index, index % 5);
        });
        for (std::size_t i = 0; i < names.size(); ++i) {
            const TiffReadResult result = ahead.Read(names[i]);
            ASSERT_EQ(result.lastLink, i) << threads << " threads";
            ASSERT_EQ(result.pages.size(), i % 5);
        }
    }
}

// With results of the same size, what is read ahead stays within the
// budget plus the file the run waits for, however slow the run is. (The
// tracker also counts the result the run has just been handed.)
TEST(ReadAhead, HoldsNoMoreThanTheBudget) {
    constexpr std::size_t kBudget = 64 * 1024;
    const std::size_t pages = PagesFor(1500);
    const std::size_t resultBytes = HeldBytes(MadeResult(0, pages));
    for (const unsigned threads : {2u, 8u, 32u}) {
        const auto names = Names(400);
        const SpanInputFiles files(names);
        Tracker tracker;
        {
            ReadAhead ahead(files, threads, kBudget, [&](const std::string& path) {
                return tracker.Read(IndexOf(path), pages);
            });
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                const TiffReadResult result = ahead.Read(names[i]);
                ASSERT_EQ(result.lastLink, i);
                tracker.Taken(result);
            }
        }
        EXPECT_LE(tracker.PeakBytes(), kBudget + 2 * resultBytes) << threads << " threads";
        // ... and the budget is used: the reading goes well ahead.
        EXPECT_GT(tracker.PeakBytes(), kBudget / 2) << threads << " threads";
    }
}

// Results larger than the whole budget pass one at a time: the run never
// waits for ever, and the next such file is read only once the run is done
// with the one before and waits for it, so that one is held at a time.
TEST(ReadAhead, ResultsLargerThanTheBudgetPassAlone) {
    constexpr std::size_t kBudget = 16 * 1024;
    const auto names = Names(40);
    const SpanInputFiles files(names);
    Tracker tracker;
    {
        ReadAhead ahead(files, 4, kBudget, [&](const std::string& path) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return tracker.Read(IndexOf(path), PagesFor(3 * kBudget));
        });
        for (std::size_t i = 0; i < names.size(); ++i) {
            const TiffReadResult result = ahead.Read(names[i]);
            ASSERT_EQ(result.lastLink, i);
            tracker.Taken(result);
        }
    }
    EXPECT_EQ(tracker.PeakFiles(), 1u);
    EXPECT_EQ(tracker.PeakReading(), 1);
}

// A few huge files among many small ones: the small ones go on being read
// ahead, and every result arrives in order.
TEST(ReadAhead, MixedSizesKeepOrder) {
    constexpr std::size_t kBudget = 32 * 1024;
    const auto names = Names(300);
    const SpanInputFiles files(names);
    std::mt19937 random(7);
    std::vector<std::size_t> pages(names.size());
    for (auto& p : pages) p = random() % 23 == 0 ? PagesFor(5 * kBudget) : random() % 4;
    Tracker tracker;
    {
        ReadAhead ahead(files, 8, kBudget, [&](const std::string& path) {
            const std::size_t index = IndexOf(path);
            return tracker.Read(index, pages[index]);
        });
        for (std::size_t i = 0; i < names.size(); ++i) {
            const TiffReadResult result = ahead.Read(names[i]);
            ASSERT_EQ(result.lastLink, i);
            ASSERT_EQ(result.pages.size(), pages[i]);
            tracker.Taken(result);
        }
    }
    // A file's size shows only once it is read: each thread may come upon a
    // huge file before the first of them is known, but no more start then.
    const std::size_t huge = HeldBytes(MadeResult(0, PagesFor(5 * kBudget)));
    EXPECT_LE(tracker.PeakBytes(), kBudget + (8 + 1) * huge);
}

// Many small files, then huge ones: with small results expected, every
// thread starts a huge file at once. The pages a file holds while it is
// read count, and a file past the room left waits until the run needs it,
// so memory stays near the budget at any number of threads instead of
// one huge file per thread.
TEST(ReadAhead, HugeFilesAfterSmallOnesStayNearTheBudget) {
    constexpr std::size_t kBudget = 64 * 1024;
    constexpr std::size_t kHuge = 4 * kBudget;
    constexpr std::size_t kStep = kBudget / 16;
    const auto names = Names(300 + 24);
    const SpanInputFiles files(names);
    for (const unsigned threads : {1u, 32u, 256u}) {
        std::mutex mutex;
        std::size_t live = 0, peak = 0;
        const auto add = [&](std::size_t bytes) {
            std::lock_guard lock(mutex);
            live += bytes;
            peak = std::max(peak, live);
        };
        const auto remove = [&](std::size_t bytes) {
            std::lock_guard lock(mutex);
            live -= bytes;
        };
        {
            ReadAhead ahead(files, threads, kBudget,
                            [&](const std::string& path, ReadMemoryGate& gate) {
                                const std::size_t index = IndexOf(path);
                                if (index < 300) {
                                    TiffReadResult small = MadeResult(index, 1);
                                    add(HeldBytes(small));
                                    return small;
                                }
                                // Read a step at a time, slowly enough for
                                // every thread to be amid a huge file.
                                for (std::size_t held = kStep; held <= kHuge; held += kStep) {
                                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                                    add(kStep);
                                    gate.PagesHeld(held);
                                }
                                TiffReadResult huge = MadeResult(index, PagesFor(kHuge));
                                add(HeldBytes(huge));
                                remove(kHuge);
                                return huge;
                            });
            for (std::size_t i = 0; i < names.size(); ++i) {
                const TiffReadResult result = ahead.Read(names[i]);
                ASSERT_EQ(result.lastLink, i);
                remove(HeldBytes(result));
            }
        }
        // The budget, the file the run is handed and the one it needs next,
        // and one step of pages per thread before it learns there is no room.
        EXPECT_LE(peak, kBudget + 2 * (kHuge + 1024) + std::min(threads, 24u) * kStep)
            << threads << " threads";
    }
}

// A number the user did not choose: a few threads read while files come
// from memory, all of them once reads wait on the storage.
TEST(ReadAhead, AllThreadsReadOnlyWhileReadsWait) {
    const std::size_t few = ReadThreadsFromMemory(std::thread::hardware_concurrency());
    const auto threads = static_cast<unsigned>(4 * few);
    for (const bool waiting : {false, true}) {
        const auto names = Names(waiting ? 40 * few : 4000);
        const SpanInputFiles files(names);
        std::atomic<std::size_t> reading{0}, peak{0};
        {
            ReadAhead ahead(
                files, threads, kReadAheadBytes,
                [&](const std::string& path, ReadMemoryGate&) {
                    std::size_t now = ++reading;
                    std::size_t seen = peak.load();
                    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
                    }
                    if (waiting) std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    --reading;
                    return MadeResult(IndexOf(path), 1);
                },
                ReadAhead::ThreadUse::AsReadsWait);
            for (std::size_t i = 0; i < names.size(); ++i)
                ASSERT_EQ(ahead.Read(names[i]).lastLink, i);
        }
        if (waiting)
            EXPECT_GT(peak.load(), few);
        else
            EXPECT_LE(peak.load(), few);
    }
}

TEST(ReadAhead, StopsWhenTheRunEndsEarly) {
    const auto names = Names(1000);
    const SpanInputFiles files(names);
    std::atomic<int> reads{0};
    {
        ReadAhead ahead(files, 8, 8 * 1024, [&](const std::string& path) {
            ++reads;
            return MadeResult(IndexOf(path), 10);
        });
        for (std::size_t i = 0; i < 5; ++i) ASSERT_EQ(ahead.Read(names[i]).lastLink, i);
        // Destroyed here, with workers waiting for room.
    }
    EXPECT_LT(reads.load(), 1000);
}

TEST(ReadAhead, MoreThreadsThanFilesAndCallersThatStray) {
    const auto names = Names(3);
    const SpanInputFiles files(names);
    ReadAhead ahead(files, 32, kReadAheadBytes,
                    [](const std::string& path) { return MadeResult(IndexOf(path), 1); });
    EXPECT_EQ(ahead.Read("f0").lastLink, 0u);
    // Not the next file of the list: read directly, the list's place kept.
    EXPECT_EQ(ahead.Read("f7").lastLink, 7u);
    EXPECT_EQ(ahead.Read("f1").lastLink, 1u);
    EXPECT_EQ(ahead.Read("f2").lastLink, 2u);
    EXPECT_EQ(ahead.Read("f2").lastLink, 2u);
}

TEST(ReadAhead, AnEmptyList) {
    const std::vector<std::string> none;
    const SpanInputFiles files(none);
    ReadAhead ahead(files, 4);
}

}  // namespace
}  // namespace folvane
