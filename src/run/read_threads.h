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
// on this project's virtual test disk, cold: 2 readers 1.57 s, 8 readers
// 0.93 s), and with them in memory a few more threads than processors
// cost nothing measurable.
inline constexpr unsigned kSolidStateReadThreads = 8;

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
