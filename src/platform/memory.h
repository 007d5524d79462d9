// How the process's memory allocator is shared between threads.
#pragma once

namespace folvane {

// Lets every thread allocate from one pool. Results read on worker threads
// are freed on the run's thread; glibc gives each thread a pool (arena) of
// its own and keeps what was freed in it for that pool's re-use, so with
// large results peak memory grew with the number of threads (52 MB with
// four, 41 MB with one, over files of 100,000 pages) instead of with what
// is held at once. The reader allocates little per file, so the threads
// hardly ever wait on the shared pool. Windows' heap is one pool already.
// Process-wide; to be called before the threads start; harmless to call
// again.
void ShareOneMemoryPoolBetweenThreads();

}  // namespace folvane
