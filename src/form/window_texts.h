// The windows' own texts, quoted exactly as the program shows them
// (full-width and half-width forms matter), as UTF-8. The texts shared with
// the core live in state/texts.h.
#pragma once

#include <string_view>

namespace folvane::form::window_text {

inline constexpr std::string_view kProductName = "Folvane";
inline constexpr std::string_view kCancelledMessage = "選択をキャンセルされました。";
inline constexpr std::string_view kSaveFailedMessage = "書出しに失敗しました。";
inline constexpr std::string_view kNothingToSave = "保存する結果が表示されていません。";
inline constexpr std::string_view kSaveDone = "書出し終了";
inline constexpr std::string_view kNotSaved = "結果が保存されていません。";
inline constexpr std::string_view kSaveQuestion = "保存しますか？";
inline constexpr std::string_view kProgressCaption = "Folvane　　　　 処　理　中";
// The progress window's caption while dropped paths are examined, before
// the count ("ファイルを確認しています（1200 / 20000）").
inline constexpr std::string_view kExaminingCaption = "ファイルを確認しています";
// After a drop or a confirmed selection that left paths out: the count
// between the two halves, then the first few paths with their reasons.
inline constexpr std::string_view kUnusablePathsPrefix = "次の ";
inline constexpr std::string_view kUnusablePathsSuffix = " 件のパスは追加できませんでした。";
inline constexpr std::string_view kMorePathsPrefix = "ほか ";
inline constexpr std::string_view kMorePathsSuffix = " 件";
inline constexpr std::string_view kProposedFileName = "SizeList.txt";
inline constexpr std::string_view kProposedWorkbookName = "SizeList.xlsx";
inline constexpr std::string_view kTextFilesFilter = "TXTファイル (*.txt)";
inline constexpr std::string_view kWorkbookFilter = "Excel ブック (*.xlsx)";
inline constexpr std::string_view kAllFilesFilter = "すべてのファイル (*.*)";
inline constexpr std::string_view kNothingSelected = "何も選択されていません !";
inline constexpr std::string_view kChooseFolderTitle = "フォルダを選択してください";
inline constexpr std::string_view kSysInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";
inline constexpr std::string_view kVersionCaptionSuffix = "のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr std::string_view kVersionPrefix = "ﾊﾞｰｼﾞｮﾝ ";
// Fifteen ideographic spaces part the two halves.
inline constexpr std::string_view kAboutDescription =
    "Tiff の Tag情報による"
    "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    "サイズ等 の リスト化";
// The help page (platform/help_file.h finds it) opens at the topic this
// keyword names.
inline constexpr std::string_view kHelpKeyword = "Folvane画面";
inline constexpr std::string_view kHelpMissingPrefix = "ヘルプ ファイル ";
inline constexpr std::string_view kHelpMissingSuffix = " が見つかりません。";
// The help file is there, but the system could not open it.
inline constexpr std::string_view kHelpUnopenedSuffix = " を開けません。";

}  // namespace folvane::form::window_text
