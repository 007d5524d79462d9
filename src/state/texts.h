// The program's own texts that the core writes into results and messages.
// Kept in one place because the window, the command line and the result
// files must use them byte for byte alike.
#pragma once

#include <string_view>

namespace folvane::text {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kPagesSuffix = " 枚";
inline constexpr std::string_view kNotTiffHeading = "Tiffではないのでは？";
inline constexpr std::string_view kErrorFileHeading = "エラーのあるファイル";
inline constexpr std::string_view kCannotOpen = "ファイルを開けません";
inline constexpr std::string_view kDamaged = "ファイルが壊れています";
inline constexpr std::string_view kGrandTotal = "総合計";
// What the totals box holds before any run and after a direct run.
inline constexpr std::string_view kResultInitial = "合計\r\n";

inline constexpr std::string_view kSelectFiles = "ファイルを選択してください。";
inline constexpr std::string_view kBadResolution =
    "解像度には -32768 から 32767 までの数値を入力してください。";

inline constexpr std::string_view kLittleEndianName = "II (Win)";
inline constexpr std::string_view kBigEndianName = "MM (Mac)";
inline constexpr std::string_view kLandscape = "横長";
inline constexpr std::string_view kPortrait = "縦長";

}  // namespace folvane::text
