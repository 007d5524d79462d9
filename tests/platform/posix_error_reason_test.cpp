// The reasons for the system's error codes are the program's own Japanese
// words, for a file that cannot be read and a result file that cannot be
// written alike; the window and folvane-cli show them as they come.
#include "platform/error_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/output_file.h"

namespace folvane {
namespace {

TEST(SystemErrorReason, CommonFailuresOfASaveAreJapanese) {
    struct Case {
        int code;
        const char* reason;
    };
    const Case cases[] = {
        {EACCES, "アクセスが拒否されました"},
        {EPERM, "アクセスが拒否されました"},
        {ENOENT, "見つかりません"},
        {ENOTDIR, "パスの途中がフォルダではありません"},
        {ENOSPC, "ディスクに空きがありません"},
        {EROFS, "読み取り専用のファイルシステムです"},
        {EISDIR, "フォルダです"},
    };
    for (const Case& c : cases) EXPECT_EQ(SystemErrorReason(c.code), c.reason) << c.code;
}

// A code without a text of its own keeps the system's words, so that the
// cause can still be looked up.
TEST(SystemErrorReason, OtherCodesKeepTheSystemsText) {
    EXPECT_EQ(SystemErrorReason(EPROTO),
              "システムエラー " + std::to_string(EPROTO) + " (" + std::strerror(EPROTO) + ")");
}

// A write that fails on a real file says so in the same words, after the
// path: /dev/full fails every write with ENOSPC.
TEST(SystemErrorReason, FailedWriteOfAResultFileIsJapanese) {
    const OpenedOutput out = CreateReplacingFile("/dev/full");
    ASSERT_TRUE(out.stream) << out.error;
    const bool written = out.stream->Write("x") && out.stream->Finish();
    EXPECT_FALSE(written);
    EXPECT_EQ(out.stream->ErrorMessage(), "/dev/full: ディスクに空きがありません");
}

}  // namespace
}  // namespace folvane
