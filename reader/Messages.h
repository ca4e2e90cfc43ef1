#pragma once

#include <string_view>

namespace MIDTitle::Messages {

inline constexpr std::string_view kFileNotFound = "ファイルが見つかりません";
inline constexpr std::string_view kFileTooShort = "ファイルが異常です";
inline constexpr std::string_view kNotMidiFile = "MIDファイルではありません";
inline constexpr std::string_view kNoTracks = "トラックが存在しません";
inline constexpr std::string_view kTrackNotFound = "トラックが見つかりません";
inline constexpr std::string_view kTrackTooLong = "トラックのデータが異常です";
inline constexpr std::string_view kTitleNotFound = "タイトルが見つかりません";
inline constexpr std::string_view kTitleLengthBroken = "文字列長のデータが異常です";

}  // namespace MIDTitle::Messages
