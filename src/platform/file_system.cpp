#include "platform/file_system.h"

#include <atomic>
#include <thread>

namespace folvane {

namespace {

std::atomic<std::int64_t> lookDelayMicroseconds{0};

}  // namespace

void DelayPathLooksForTesting(std::chrono::microseconds delay) {
    lookDelayMicroseconds.store(delay.count(), std::memory_order_relaxed);
}

void WaitAsForTesting() {
    const std::int64_t delay = lookDelayMicroseconds.load(std::memory_order_relaxed);
    if (delay > 0) std::this_thread::sleep_for(std::chrono::microseconds(delay));
}

bool HasTifExtensionIgnoringCase(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ext = name.data() + name.size() - 4;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return ext[0] == '.' && lower(ext[1]) == 't' && lower(ext[2]) == 'i' && lower(ext[3]) == 'f';
}

}  // namespace folvane
