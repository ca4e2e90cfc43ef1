#pragma once

#include <string>
#include <string_view>

// One field of a row, escaped so that no text (a title with tabs, quotes,
// commas, line breaks or terminal controls, a file name with any of them)
// can break the row or act on a terminal. Each appends to row: a catalogue
// is built of millions of fields. Paths come printed already
// (Runtime::PrintablePath): they hold no control character.

// Tab-separated: tab, line feed, carriage return and backslash become \t,
// \n, \r and \\, any other control \xHH (Runtime::AppendVisible).
void AppendTsvField(std::string& row, std::string_view text);

// RFC 4180: control characters made visible as \t, \n, \r or \xHH, then a
// field holding a comma or a quote is quoted, and its quotes doubled.
void AppendCsvField(std::string& row, std::string_view text);

// A JSON string, quotes included: quote, backslash, the C0 controls, DEL
// and the C1 controls escaped; everything else is UTF-8 as it is.
void AppendJsonString(std::string& row, std::string_view text);
