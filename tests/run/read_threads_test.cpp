#include "run/read_threads.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace folvane {
namespace {

TEST(ReadThreads, ByTheKindOfStorage) {
    struct Case {
        StorageKind storage;
        unsigned processors;
        unsigned expected;
    };
    const Case cases[] = {
        {StorageKind::Local, 2, kSolidStateReadThreads},
        {StorageKind::Local, 16, kSolidStateReadThreads},
        {StorageKind::Local, 128, 128},
        {StorageKind::Local, 0, kSolidStateReadThreads},
        {StorageKind::Rotational, 2, 2},
        {StorageKind::Rotational, 16, 16},
        {StorageKind::Rotational, 0, 1},
        {StorageKind::Unknown, 4, 4},
        {StorageKind::Unknown, 0, 1},
        {StorageKind::Network, 2, kNetworkReadThreads},
        {StorageKind::Network, 64, kNetworkReadThreads},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadThreadsFor(c.storage, c.processors), c.expected)
            << static_cast<int>(c.storage) << " " << c.processors;
    EXPECT_GE(kNetworkReadThreads, 16u);
    // From memory: the processors, but never fewer than a few.
    EXPECT_EQ(ReadThreadsFromMemory(1), kReadThreadsFromMemory);
    EXPECT_EQ(ReadThreadsFromMemory(0), kReadThreadsFromMemory);
    EXPECT_EQ(ReadThreadsFromMemory(48), 48u);
}

// The temporary folder of a test machine is a local disk (or memory):
// its number is what its kind asks for; where nothing is known, one per
// processor.
TEST(ReadThreads, LocalFilesGetTheLocalNumber) {
    const unsigned processors = std::thread::hardware_concurrency();
    const unsigned unknown = processors == 0 ? 1 : processors;
    const std::string folder = std::filesystem::temp_directory_path().string();
    const std::vector<std::string> paths = {folder, folder + "/missing-folvane-file.tif"};
    EXPECT_EQ(DefaultReadThreads(SpanInputFiles(paths)),
              ReadThreadsFor(StorageKindOf(folder), processors));
    // Windows names the volume even of a path that is not there.
    const std::vector<std::string> missing = {"/nonexistent-folvane/a.tif"};
    EXPECT_EQ(DefaultReadThreads(SpanInputFiles(missing)),
              ReadThreadsFor(StorageKindOf(missing[0]), processors));
    EXPECT_EQ(DefaultReadThreads(SpanInputFiles({})), unknown);
}

}  // namespace
}  // namespace folvane
