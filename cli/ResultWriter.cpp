#include "ResultWriter.h"

#include <charconv>

#include "FieldText.h"
#include "LineEnd.h"
#include "PrintableName.h"
#include "Report.h"

namespace Cli {

namespace {

// RFC 4180 ends every record in CR LF, whatever the platform; tsv and JSON
// Lines end in LF on every platform, so that awk and jq read them whole.
constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr char kRowEnd = '\n';
// Japanese Excel reads a CSV file without it as Shift_JIS.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::string_view kOk = "ok";

void AppendNumber(std::string& text, std::int32_t number) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(digits, end);
}

// The status column: "ok", or the reader's message when it found no title.
std::string_view StatusOf(const MIDTitle::MidReading& reading) {
    return reading.HasTitle ? kOk : std::string_view(reading.Info.Title);
}

std::string_view TitleOf(const MIDTitle::MidReading& reading) {
    return reading.HasTitle ? std::string_view(reading.Info.Title) : std::string_view();
}

}  // namespace

ResultWriter::ResultWriter(std::ostream& out, OutputFormat format, bool hasByteOrderMark)
    : out_(out), format_(format), hasByteOrderMark_(hasByteOrderMark) {}

void ResultWriter::WriteHeader() {
    if (hasByteOrderMark_) out_ << kByteOrderMark;
    if (format_ == OutputFormat::Tsv) out_ << "path\tformat\ttracks\tdivision\ttitle\tstatus" << kRowEnd;
    if (format_ == OutputFormat::Csv) out_ << "path,format,tracks,division,title,status" << kCsvLineEnd;
}

void ResultWriter::Write(std::string_view path, const MIDTitle::MidReading& reading) {
    text_.clear();
    if (format_ == OutputFormat::Report) AppendReport(path, reading);
    else AppendRow(path, reading);
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    isFirst_ = false;
}

void ResultWriter::AppendReport(std::string_view path, const MIDTitle::MidReading& reading) {
    if (!isFirst_) text_ += kLineEnd;  // one blank line between reports
    MIDTitle::MidInfo shown = reading.Info;
    shown.Title.clear();
    Runtime::AppendVisible(shown.Title, reading.Info.Title, false);
    const std::string report = ComposeReport(path, shown);
    // The window's report ends its lines in CR LF; here they end as the
    // platform's text does.
    std::string_view rest(report);
    for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos; end = rest.find("\r\n")) {
        text_.append(rest.substr(0, end)).append(kLineEnd);
        rest.remove_prefix(end + 2);
    }
    text_ += rest;
}

void ResultWriter::AppendRow(std::string_view path, const MIDTitle::MidReading& reading) {
    const MIDTitle::MidInfo& info = reading.Info;
    if (format_ == OutputFormat::Json) {
        text_ += "{\"path\":";
        AppendJsonString(text_, path);
        text_ += ",\"format\":";
        AppendNumber(text_, info.Format);
        text_ += ",\"tracks\":";
        AppendNumber(text_, info.Tracks);
        text_ += ",\"division\":";
        AppendNumber(text_, info.Resolution);
        text_ += ",\"title\":";
        AppendJsonString(text_, TitleOf(reading));
        text_ += ",\"status\":";
        AppendJsonString(text_, StatusOf(reading));
        text_ += '}';
        text_ += kRowEnd;
        return;
    }
    const bool isCsv = format_ == OutputFormat::Csv;
    const char separator = isCsv ? ',' : '\t';
    const auto appendField = isCsv ? AppendCsvField : AppendTsvField;
    // A printed path holds no tab or line break, and its backslashes are
    // its own escapes (on Windows its separators): tsv takes it as it is.
    if (isCsv) AppendCsvField(text_, path);
    else text_ += path;
    for (const std::int32_t number : {info.Format, info.Tracks, info.Resolution}) {
        text_ += separator;
        AppendNumber(text_, number);
    }
    text_ += separator;
    appendField(text_, TitleOf(reading));
    text_ += separator;
    appendField(text_, StatusOf(reading));
    if (isCsv) text_ += kCsvLineEnd;
    else text_ += kRowEnd;
}

}  // namespace Cli
