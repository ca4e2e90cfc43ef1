#include "ResultWriter.h"

#include "CatalogueRow.h"
#include "LineEnd.h"
#include "PrintableName.h"
#include "Report.h"

namespace Cli {

namespace {

RowFormat RowFormatOf(OutputFormat format) {
    switch (format) {
    case OutputFormat::Csv: return RowFormat::Csv;
    case OutputFormat::Json: return RowFormat::Json;
    default: return RowFormat::Tsv;
    }
}

}  // namespace

ResultWriter::ResultWriter(std::ostream& out, OutputFormat format, bool hasByteOrderMark)
    : out_(out), format_(format), hasByteOrderMark_(hasByteOrderMark) {}

void ResultWriter::WriteHeader() {
    if (hasByteOrderMark_) out_ << kByteOrderMark;
    if (format_ != OutputFormat::Report) out_ << RowHeader(RowFormatOf(format_));
}

void ResultWriter::Write(std::string_view path, const MIDTitle::MidReading& reading) {
    text_.clear();
    if (format_ == OutputFormat::Report) AppendReport(path, reading);
    else ::AppendRow(text_, RowFormatOf(format_), path, reading);
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

}  // namespace Cli
