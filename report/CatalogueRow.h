#pragma once

#include <string>
#include <string_view>

#include "MidReading.h"

// One row a file of a catalogue: what midtitle-cli writes with --format
// tsv, csv or json, and what the title list copies and saves, so a saved
// list and the command line's output are the same bytes. Columns: path,
// format, tracks, division, title (empty when the file has none), status
// ("ok", or the reader's message when it found no title).
enum class RowFormat { Tsv, Csv, Json };

// Japanese Excel reads a CSV file without it as Shift_JIS.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The header row with its line end; JSON Lines has none.
std::string_view RowHeader(RowFormat format);

// Appends the row of one file, line end included. path is the printed path
// (Runtime::PrintablePath); the title is made safe here. RFC 4180 ends csv
// records in CR LF, and tsv and JSON Lines end in LF, on every platform, so
// that awk and jq read Windows output whole too.
void AppendRow(std::string& text, RowFormat format, std::string_view path, const MIDTitle::MidReading& reading);
