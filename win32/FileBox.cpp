#include "FileBox.h"

#include <windowsx.h>

#include <algorithm>

#include "RuntimeError.h"

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

void FileBox::SetNativePath(std::string_view path) {
    std::string absolute = Runtime::AbsoluteDirectory(path);
    SetRows(Read(absolute));
    nativePath_ = std::move(absolute);
}

std::vector<EntryRow> FileBox::Read(const std::string& absolute) {
    auto files = Runtime::ReadFolder(absolute, pattern_, Runtime::ListedKinds::Files).Files;
    std::vector<EntryRow> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0});
    return rows;
}

void FileBox::Notify(int code) {
    if (code == LBN_SELCHANGE && Current() >= 0 && selectionClicked) selectionClicked();
}

void FileBox::FollowDisk() {
    std::vector<EntryRow> rows;
    try {
        rows = Read(nativePath_);
    } catch (const Runtime::RuntimeError&) {
        // The folder went or cannot be read any more: nothing in it to show.
        // The folder list moves to a folder that exists and this list
        // follows it there.
    }
    const int selected = Current();
    const std::string selectedName = selected >= 0 ? Row(selected).entry.NativeName : std::string();
    const TopRow top = Top();
    SetRows(std::move(rows));
    // LB_SETCURSEL is silent: following the disk is not a selection by the person.
    if (selected >= 0) Select(RowNamed(selectedName));
    ScrollBackTo(top);
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
