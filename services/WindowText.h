#pragma once

#include <string_view>

namespace Services {

// Form1's words, the same in both windows, in UTF-8.
inline constexpr std::string_view kWindowTitle = "MIDタイトル";
// The controls' captions, which screen readers say as their names.
inline constexpr std::string_view kDriveName = "ドライブ";
inline constexpr std::string_view kFolderName = "フォルダー";
inline constexpr std::string_view kFileName = "ファイル";
inline constexpr std::string_view kReportName = "情報";
// Shown or said while a folder, a file's report or a song is still being read.
inline constexpr std::string_view kStillReading = "読み込み中…";
// The files File1 shows, and the walk gathers unless told other names.
inline constexpr std::string_view kFilePattern = "*.smf;*.mid";

}  // namespace Services
