// How many files a run reads at once when the user names no number.
#pragma once

#include "input/path_list.h"
#include "platform/storage_kind.h"

namespace folvane {

// On a network file system each open and read waits a round trip on the
// server, not on a processor: this many reads in flight hide the wait
// (over sshfs with 1 ms added each way, 1,000 files: 1 reader 5.3 s,
// 8 readers 0.70 s, 32 readers 0.59 s, no gain beyond).
inline constexpr unsigned kNetworkReadThreads = 32;

// A solid-state or virtual disk answers many reads at once: with the
// files not yet in memory, reads in flight hide its latency (20,000 files
// on this project's virtual test disk, cold: 8 readers 0.43 s, 16 0.34 s,
// 32 0.29 s, 64 0.26 s, 128 0.28 s).
inline constexpr unsigned kSolidStateReadThreads = 64;

// With the files in memory, more threads than processors only share them
// and wait on each other (20,000 files from memory on 2 processors: 2 or
// 3 readers 76 ms, 4 80 ms, 8 86 ms): a run reads with one per processor,
// and at least this many, while its reads do not wait on the storage
// (ReadAhead::ThreadUse::AsReadsWait).
inline constexpr unsigned kReadThreadsFromMemory = 2;
unsigned ReadThreadsFromMemory(unsigned processors);

// The number for files on `storage` on a machine with `processors`
// processors (0 when unknown): one per processor on a spinning disk, where
// reads in flight only make it seek, and where nothing is known; at least
// kSolidStateReadThreads on other local disks.
unsigned ReadThreadsFor(StorageKind storage, unsigned processors);

// The number for the listed files: the network number as soon as one of
// the first few folders of the list is on a network file system, so that
// a list starting with a local file still reads a share quickly; else the
// number for the first folder whose kind is known.
unsigned DefaultReadThreads(const InputFiles& files);

}  // namespace folvane
