#include "platform/memory.h"

namespace folvane {

// The process heap serves every thread already.
void ShareOneMemoryPoolBetweenThreads() {}

}  // namespace folvane
