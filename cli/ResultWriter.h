#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "MidReading.h"
#include "Options.h"

namespace Cli {

// Turns each file's reading into the chosen output and writes it: the
// window's seven-line report, or one row of tsv, csv or JSON Lines.
class ResultWriter {
public:
    ResultWriter(std::ostream& out, OutputFormat format, bool hasByteOrderMark);

    // The byte-order mark when asked for, and the header row of tsv and csv.
    void WriteHeader();

    // path is the printed path (Runtime::PrintablePath), the one the report
    // shows; the title is made safe here.
    void Write(std::string_view path, const MIDTitle::MidReading& reading);

    // False once the output cannot take more, as when the reader of a pipe
    // has gone: the walk stops then.
    bool IsWritable() const { return static_cast<bool>(out_); }

private:
    void AppendReport(std::string_view path, const MIDTitle::MidReading& reading);

    std::ostream& out_;
    OutputFormat format_;
    bool hasByteOrderMark_;
    bool isFirst_ = true;
    std::string text_;  // reused for every file, so a row costs no allocation
};

}  // namespace Cli
