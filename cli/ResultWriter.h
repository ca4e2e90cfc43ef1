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
    ResultWriter(std::ostream& out, OutputFormat format);

    // The header row of tsv and csv; nothing for the others.
    void WriteHeader();

    // path is what people read (UTF-8), the one the report shows.
    void Write(std::string_view path, const MIDTitle::MidReading& reading);

    // False once the output cannot take more, as when the reader of a pipe
    // has gone: the walk stops then.
    bool IsWritable() const { return static_cast<bool>(out_); }

private:
    void AppendReport(std::string_view path, const MIDTitle::MidReading& reading);
    void AppendRow(std::string_view path, const MIDTitle::MidReading& reading);

    std::ostream& out_;
    OutputFormat format_;
    bool isFirst_ = true;
    std::string text_;  // reused for every file, so a row costs no allocation
};

}  // namespace Cli
