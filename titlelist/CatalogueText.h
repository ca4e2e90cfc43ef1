#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Songs.h"

namespace TitleList {

// The title list's words, for both windows.
inline constexpr std::string_view kWindowName = "タイトル一覧";
inline constexpr std::string_view kOpenCommand = "タイトル一覧(&L)…";  // Form1's menu and Ctrl+L
inline constexpr std::string_view kFilterName = "絞り込み";
inline constexpr std::string_view kSubfoldersName = "サブフォルダーも含める";
inline constexpr std::string_view kSaveCommand = "CSVで保存…";

std::string_view ColumnName(Column column);

// "タイトル一覧 - <folder>", the folder as people read it.
std::string WindowTitle(std::string_view nativeFolder);

// 1234567 as "1 234 567".
std::string GroupedNumber(std::size_t number);

// What the count shows while songs are read ("1 234 / 5 000"), and what a
// screen reader hears of it then and once all are read.
std::string CountText(std::size_t read, std::size_t found);
std::string SpokenCount(std::size_t read, std::size_t found, std::size_t shown, bool isReading);

// What a screen reader hears of the order: "タイトルの昇順", or the walk's.
std::string SpokenOrder(std::optional<Column> column, bool isDescending);

}  // namespace TitleList
