#include "run/read_threads.h"

#include <thread>

namespace folvane {

unsigned DefaultReadThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : processors;
}

}  // namespace folvane
