#include "platform/error_reason.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace folvane {

std::string SystemErrorReason(unsigned long code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
            return "アクセスが拒否されました";
        // As on other systems, whether the file or a folder on its way is
        // missing.
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return "見つかりません";
        case ERROR_FILENAME_EXCED_RANGE:
            return "パスが長すぎます";
        case ERROR_INVALID_NAME:
            return "パスの書き方が正しくありません";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "ほかのプログラムが使用中です";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "ディスクに空きがありません";
        case ERROR_WRITE_PROTECT:
            return "読み取り専用のファイルシステムです";
        case ERROR_TOO_MANY_OPEN_FILES:
            return "開いているファイルが多すぎます";
        case ERROR_NOT_READY:
            return "ドライブの準備ができていません";
        case ERROR_NETNAME_DELETED:
        case ERROR_UNEXP_NET_ERR:
            return "ネットワークのエラーが起きました";
        case ERROR_DIRECTORY:
            return "フォルダ名が正しくありません";
        default:
            break;
    }
    return "システムエラー " + std::to_string(code) + " (" + windows::SystemErrorText(code) + ")";
}

}  // namespace folvane
