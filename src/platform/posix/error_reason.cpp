#include "platform/error_reason.h"

#include <cerrno>
#include <cstring>

namespace folvane {

std::string SystemErrorReason(unsigned long code) {
    switch (static_cast<int>(code)) {
        case EACCES:
        case EPERM:
            return "アクセスが拒否されました";
        case ENOENT:
            return "見つかりません";
        case ENOTDIR:
            return "パスの途中がフォルダではありません";
        case ENAMETOOLONG:
            return "パスが長すぎます";
        case ELOOP:
            return "シンボリックリンクが多すぎるか、ループしています";
        case EISDIR:
            return kFolderReason;
        case EIO:
            return "入出力エラーが起きました";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EDQUOT:
            return "ディスク使用量の上限に達しました";
        case EROFS:
            return "読み取り専用のファイルシステムです";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます";
        case ENXIO:
            return "読み手のいないパイプかデバイスです";
        case EBUSY:
        case ETXTBSY:
            return "使用中です";
        case ESTALE:
            return "ネットワーク上のファイルが無効になりました";
        case ETIMEDOUT:
            return "時間切れになりました";
        default:
            break;
    }
    return "システムエラー " + std::to_string(code) + " (" + std::strerror(static_cast<int>(code)) +
           ")";
}

}  // namespace folvane
