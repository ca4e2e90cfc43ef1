#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Where the title list's rows leave the program: the clipboard, and a file
// the person names in the system's save dialog.

// Puts text (UTF-8) on the clipboard as Unicode text, in place of what was there.
void CopyToClipboard(HWND owner, std::string_view text);

// The path (UTF-8) the person chose to save a CSV file at, suggesting
// suggestedName; nothing when they cancelled.
std::optional<std::string> AskWhereToSave(HWND owner, std::string_view suggestedName);
