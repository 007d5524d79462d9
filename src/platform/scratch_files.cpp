#include "platform/scratch_files.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>

namespace folvane {

std::string UniqueScratchName(const std::string& folder, const std::string& prefix,
                              const std::string& suffix) {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    std::mt19937_64 random(
        device() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        counter.fetch_add(1));
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (;;) {
        std::string name = folder + prefix;
        for (int i = 0; i < 16; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        name += suffix;
        // Taken already: draw again (practically never).
        if (std::FILE* existing = std::fopen(name.c_str(), "rb")) {
            std::fclose(existing);
            continue;
        }
        return name;
    }
}

}  // namespace folvane
