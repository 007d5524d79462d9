// The windows' own texts, quoted exactly as the program shows them
// (full-width and half-width forms matter). The texts shared with the core
// live in state/texts.h.
#pragma once

#include <QStringView>

namespace folvane::gui {

inline constexpr QStringView kProductName = u"Folvane";
inline constexpr QStringView kCancelledMessage = u"選択をキャンセルされました。";
inline constexpr QStringView kSaveFailedMessage = u"書出しに失敗しました。";
inline constexpr QStringView kNothingToSave = u"保存する結果が表示されていません。";
inline constexpr QStringView kSaveDone = u"書出し終了";
inline constexpr QStringView kNotSaved = u"結果が保存されていません。";
inline constexpr QStringView kSaveQuestion = u"保存しますか？";
inline constexpr QStringView kProgressCaption = u"Folvane　　　　 処　理　中";
inline constexpr QStringView kProposedFileName = u"SizeList.txt";
inline constexpr QStringView kTextFilesFilter = u"TXTファイル (*.txt)";
inline constexpr QStringView kAllFilesFilter = u"すべてのファイル (*.*)";
inline constexpr QStringView kNothingSelected = u"何も選択されていません !";
inline constexpr QStringView kChooseFolderTitle = u"フォルダを選択してください";
inline constexpr QStringView kSysInfoUnavailable = u"現時点ではｼｽﾃﾑ情報を使用できません";
inline constexpr QStringView kVersionCaptionSuffix = u"のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr QStringView kVersionPrefix = u"ﾊﾞｰｼﾞｮﾝ ";
// Fifteen ideographic spaces part the two halves.
inline constexpr QStringView kAboutDescription =
    u"Tiff の "
    u"Tag情報による\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    u"\u3000\u3000"
    u"サイズ等 の リスト化";
// The help: this file beside the program, opened at the topic this keyword
// names.
inline constexpr QStringView kHelpFileName = u"Folvane.html";
inline constexpr QStringView kHelpKeyword = u"Folvane画面";

}  // namespace folvane::gui
