#pragma once

#include <windows.h>

#include "RuntimeError.h"

// Shows the failure of a drive or folder operation in a message box over
// owner: 実行時エラー 'N': and the description. Waits for the person, as
// Windows message boxes do; the tool carries on afterwards.
void ShowFailure(HWND owner, const Runtime::RuntimeError& error);
