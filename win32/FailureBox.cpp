#include "FailureBox.h"

#include "FailureText.h"
#include "WideText.h"

void ShowFailure(HWND owner, const Runtime::RuntimeError& error) {
    const HWND window = owner != nullptr ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    wchar_t title[64] = {};
    if (window != nullptr) ::GetWindowTextW(window, title, 64);
    // A message box breaks lines at LF as well as at CR LF.
    ::MessageBoxW(window, Runtime::WideFromUtf8(FailureText(error)).c_str(), title, MB_OK | MB_ICONERROR);
}
