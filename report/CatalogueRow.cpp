#include "CatalogueRow.h"

#include <charconv>
#include <cstdint>

#include "FieldText.h"

namespace {

constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr char kRowEnd = '\n';
constexpr std::string_view kOk = "ok";

void AppendNumber(std::string& text, std::int32_t number) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(digits, end);
}

std::string_view StatusOf(const MIDTitle::MidReading& reading) {
    return reading.HasTitle ? kOk : std::string_view(reading.Info.Title);
}

std::string_view TitleOf(const MIDTitle::MidReading& reading) {
    return reading.HasTitle ? std::string_view(reading.Info.Title) : std::string_view();
}

void AppendJsonRow(std::string& text, std::string_view path, const MIDTitle::MidReading& reading) {
    const MIDTitle::MidInfo& info = reading.Info;
    text += "{\"path\":";
    AppendJsonString(text, path);
    text += ",\"format\":";
    AppendNumber(text, info.Format);
    text += ",\"tracks\":";
    AppendNumber(text, info.Tracks);
    text += ",\"division\":";
    AppendNumber(text, info.Resolution);
    text += ",\"title\":";
    AppendJsonString(text, TitleOf(reading));
    text += ",\"status\":";
    AppendJsonString(text, StatusOf(reading));
    text += '}';
    text += kRowEnd;
}

}  // namespace

std::string_view RowHeader(RowFormat format) {
    switch (format) {
    case RowFormat::Tsv: return "path\tformat\ttracks\tdivision\ttitle\tstatus\n";
    case RowFormat::Csv: return "path,format,tracks,division,title,status\r\n";
    case RowFormat::Json: break;
    }
    return {};
}

void AppendRow(std::string& text, RowFormat format, std::string_view path, const MIDTitle::MidReading& reading) {
    if (format == RowFormat::Json) return AppendJsonRow(text, path, reading);
    const MIDTitle::MidInfo& info = reading.Info;
    const bool isCsv = format == RowFormat::Csv;
    const char separator = isCsv ? ',' : '\t';
    const auto appendField = isCsv ? AppendCsvField : AppendTsvField;
    // A printed path holds no tab or line break, and its backslashes are
    // its own escapes (on Windows its separators): tsv takes it as it is.
    if (isCsv) AppendCsvField(text, path);
    else text += path;
    for (const std::int32_t number : {info.Format, info.Tracks, info.Resolution}) {
        text += separator;
        AppendNumber(text, number);
    }
    text += separator;
    appendField(text, TitleOf(reading));
    text += separator;
    appendField(text, StatusOf(reading));
    if (isCsv) text += kCsvLineEnd;
    else text += kRowEnd;
}
