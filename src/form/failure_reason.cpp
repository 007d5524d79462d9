// Japanese reasons for the failures a save meets most. The output files
// report the system's own text, which is English on most systems this
// program runs on; the interface speaks Japanese throughout.
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "form/main_form.h"

namespace folvane::form {

namespace {

struct KnownReason {
    int code;                      // the C library's number, 0: none
    std::string_view windowsText;  // the text Windows gives, in English
    std::string_view japanese;
};

constexpr std::string_view kNoPermission = "書き込む権限がありません。";
constexpr std::string_view kNoFolder = "フォルダが見つかりません。";
constexpr std::string_view kDiskFull = "ディスクの空き容量が足りません。";
constexpr std::string_view kReadOnly = "読み取り専用のファイルシステムです。";
constexpr std::string_view kIsFolder = "同じ名前のフォルダがあります。";

constexpr std::array<KnownReason, 10> kKnownReasons{{
    {EACCES, "Access is denied.", kNoPermission},
    {EPERM, "", kNoPermission},
    {ENOENT, "The system cannot find the path specified.", kNoFolder},
    {ENOTDIR, "The system cannot find the file specified.", kNoFolder},
    {ENOSPC, "There is not enough space on the disk.", kDiskFull},
    {EROFS, "The media is write protected.", kReadOnly},
    {EISDIR, "", kIsFolder},
    {0, "The disk is full.", kDiskFull},
    {0, "The directory name is invalid.", kNoFolder},
    {0, "The filename, directory name, or volume label syntax is incorrect.", kNoFolder},
}};

bool EndsWith(std::string_view text, std::string_view end) {
    return !end.empty() && text.size() >= end.size() &&
           text.substr(text.size() - end.size()) == end;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string FailureReason(const std::string& error) {
    const std::string_view text = Trimmed(error);
    for (const KnownReason& reason : kKnownReasons) {
        std::string_view found;
        if (reason.code != 0 && EndsWith(text, std::strerror(reason.code)))
            found = std::strerror(reason.code);
        else if (EndsWith(text, reason.windowsText))
            found = reason.windowsText;
        if (found.empty()) continue;
        // The path the message starts with stays: it says which file.
        return std::string(text.substr(0, text.size() - found.size())) +
               std::string(reason.japanese);
    }
    return error;
}

}  // namespace folvane::form
