// How many files a run reads at once when its caller names no number.
#pragma once

namespace folvane {

// One per processor, at least one.
unsigned DefaultReadThreads();

}  // namespace folvane
