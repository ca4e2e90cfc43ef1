#pragma once

#include <string>

#include "RuntimeError.h"

// The text of the message box a failed drive or folder operation shows:
// 実行時エラー 'N': on the first line, the description after a blank line.
// Lines are broken with LF; each front end turns that into its own breaks.
inline std::string FailureText(const Runtime::RuntimeError& error) {
    return "実行時エラー '" + std::to_string(error.Number) + "':\n\n" + error.Description;
}
