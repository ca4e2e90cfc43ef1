#include "Report.h"

std::string ComposeReport(std::string_view fullPath, const MIDTitle::MidInfo& info) {
    // Each label ends in U+FF0D FULLWIDTH HYPHEN-MINUS and one space.
    constexpr std::string_view kLineEnd = "\r\n";
    std::string report;
    report.reserve(fullPath.size() + info.Title.size() + 128);
    report.append("ファイル名－ ").append(fullPath).append(kLineEnd);
    report.append(kLineEnd);
    report.append("フォーマット－ ").append(std::to_string(info.Format)).append(kLineEnd);
    report.append("トラック数－ ").append(std::to_string(info.Tracks)).append(kLineEnd);
    report.append("分解能－ ").append(std::to_string(info.Resolution)).append(kLineEnd);
    report.append(kLineEnd);
    report.append("タイトル－ ").append(info.Title).append(kLineEnd);
    return report;
}
