#include "FileBox.h"

#include <windowsx.h>

#include "WideText.h"
#include "WindowText.h"

namespace {

// The Shift, Ctrl and Alt keys held, as 1, 2 and 4.
int ShiftState() noexcept {
    return (::GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (::GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (::GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The mouse buttons held, left 1, right 2, middle 4, from a mouse message.
int Buttons(WPARAM keys) noexcept {
    return ((keys & MK_LBUTTON) != 0 ? 1 : 0) | ((keys & MK_RBUTTON) != 0 ? 2 : 0) |
           ((keys & MK_MBUTTON) != 0 ? 4 : 0);
}

}  // namespace

void FileBox::ShowRows(std::span<const Window::Row> rows) {
    SetRows(rows);
    // The list box keeps its selected row through a new row count.
    EntryListBox::Select(-1);
}

void FileBox::ShowReading(bool isReading) {
    ::EnableWindow(Handle(), isReading ? FALSE : TRUE);
    AnnounceState(isReading ? Runtime::WideFromUtf8(Services::kStillReading) : std::wstring());
}

void FileBox::Notify(int code) {
    if (code == LBN_SELCHANGE && Current() >= 0 && selectionClicked) selectionClicked();
}

bool FileBox::BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (keyPressed) keyPressed(static_cast<int>(wParam), ShiftState());
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (mousePressed) mousePressed(Buttons(wParam), ShiftState(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSEMOVE:
        if (mouseMoved) mouseMoved(Buttons(wParam), ShiftState(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    default: break;
    }
    return false;
}
