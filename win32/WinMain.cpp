#include <windows.h>

#include <commctrl.h>

#include "Form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // An empty card reader or a pulled-out stick is a failure the tool
    // reports itself (71, not ready), not a system box asking for a disk.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    Form1 form(instance);
    ::ShowWindow(form.Handle(), show);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls as in a dialog,
        // in Form1 and in the title list alike.
        if (::IsDialogMessageW(::GetAncestor(message.hwnd, GA_ROOT), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
