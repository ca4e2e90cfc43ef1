#include "CatalogueText.h"

#include "ReadableName.h"

namespace TitleList {

std::string_view ColumnName(Column column) {
    switch (column) {
    case Column::Name: return "ファイル名";
    case Column::Title: return "タイトル";
    case Column::Format: return "フォーマット";
    case Column::Tracks: return "トラック数";
    case Column::Division: return "分解能";
    case Column::Status: return "状態";
    }
    return {};
}

std::string WindowTitle(std::string_view nativeFolder) {
    return std::string(kWindowName) + " - " + Runtime::ReadablePath(nativeFolder);
}

std::string GroupedNumber(std::size_t number) {
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

std::string CountText(std::size_t read, std::size_t found) {
    return GroupedNumber(read) + " / " + GroupedNumber(found);
}

std::string SpokenCount(std::size_t read, std::size_t found, std::size_t shown, bool isReading) {
    if (isReading) return CountText(read, found) + " 曲を読み込みました";
    if (shown == found) return GroupedNumber(found) + " 曲";
    return GroupedNumber(found) + " 曲のうち " + GroupedNumber(shown) + " 曲を表示";
}

std::string SpokenOrder(std::optional<Column> column, bool isDescending) {
    if (!column) return "フォルダーの順";
    return std::string(ColumnName(*column)) + (isDescending ? "の降順" : "の昇順");
}

}  // namespace TitleList
