#include "platform/file_system.h"

#include <atomic>
#include <thread>

namespace folvane {

namespace {

std::atomic<std::int64_t> lookDelayMicroseconds{0};

// `extension` is ".xyz" in lower case.
bool HasExtensionIgnoringCase(const std::string& name, const char (&extension)[5]) {
    if (name.size() < 4) return false;
    const char* ext = name.data() + name.size() - 4;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (int i = 0; i < 4; ++i)
        if (lower(ext[i]) != extension[i]) return false;
    return true;
}

}  // namespace

void DelayPathLooksForTesting(std::chrono::microseconds delay) {
    lookDelayMicroseconds.store(delay.count(), std::memory_order_relaxed);
}

void WaitAsForTesting() {
    const std::int64_t delay = lookDelayMicroseconds.load(std::memory_order_relaxed);
    if (delay > 0) std::this_thread::sleep_for(std::chrono::microseconds(delay));
}

bool HasTifExtensionIgnoringCase(const std::string& name) {
    return HasExtensionIgnoringCase(name, ".tif");
}

bool HasPdfExtensionIgnoringCase(const std::string& name) {
    return HasExtensionIgnoringCase(name, ".pdf");
}

bool IsListedFileName(const std::string& name, bool withPdf) {
    return HasTifExtensionIgnoringCase(name) || (withPdf && HasPdfExtensionIgnoringCase(name));
}

}  // namespace folvane
