#pragma once

#include <string>
#include <string_view>

namespace Cli {

// One field of a row, escaped so that no text (a title with tabs, quotes,
// commas or line breaks, a file name with any of them) can break the row.
// Each appends to row: a catalogue is built of millions of fields.

// Tab-separated: tab, line feed, carriage return and backslash become \t,
// \n, \r and \\.
void AppendTsvField(std::string& row, std::string_view text);

// RFC 4180: a field holding a comma, a quote or a line break is quoted, and
// its quotes doubled.
void AppendCsvField(std::string& row, std::string_view text);

// A JSON string, quotes included: quote, backslash and the control
// characters escaped; everything else is UTF-8 as it is.
void AppendJsonString(std::string& row, std::string_view text);

}  // namespace Cli
