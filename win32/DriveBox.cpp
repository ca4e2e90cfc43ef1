#include "DriveBox.h"

#include <commctrl.h>

#include <algorithm>

#include "Form1Core.h"
#include "WideText.h"
#include "WindowText.h"

DriveBox::~DriveBox() {
    if (combo_ != nullptr) ::RemoveWindowSubclass(combo_, Subclassed, 0);
}

void DriveBox::Create(HWND parent, int id) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    // Screen readers name a drop-down list after the label just before it.
    const std::wstring name = Runtime::WideFromUtf8(Services::kDriveName);
    ::CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    combo_ = ::CreateWindowExW(0, L"COMBOBOX", name.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    ::SetWindowSubclass(combo_, Subclassed, 0, reinterpret_cast<DWORD_PTR>(this));
}

void DriveBox::SetFont(HFONT font) { ::SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void DriveBox::FitFieldHeight(int fieldHeight) {
    // A drop-down list sizes its closed field from the height of its
    // selection item; the frame around it differs between systems, so the
    // field is measured once and the item corrected.
    const auto fieldNow = [this] {
        RECT field{};
        ::GetWindowRect(combo_, &field);
        return static_cast<int>(field.bottom - field.top);
    };
    int itemHeight = std::max(fieldHeight - 6, 1);
    ::SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    itemHeight = std::max(itemHeight + fieldHeight - fieldNow(), 1);
    ::SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
}

void DriveBox::ShowVolumes(std::span<const Runtime::Volume> volumes) {
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const Runtime::Volume& volume : volumes)
        ::SendMessageW(combo_, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(Runtime::WideFromUtf8(Window::DriveText(volume)).c_str()));
}

// CB_SETCURSEL is silent.
void DriveBox::ShowDrive(int index) { ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void DriveBox::Notify(int code) {
    if (form_ == nullptr) return;
    if (code == CBN_DROPDOWN) {
        form_->Drive1_DropDown();
        return;
    }
    const bool isDropped = ::SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    const bool isSettled = code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !isDropped);
    if (!isSettled || Selected() < 0 || Selected() == form_->Drive1().Current()) return;
    form_->Drive1_Change(Selected());
}

int DriveBox::Selected() const noexcept { return static_cast<int>(::SendMessageW(combo_, CB_GETCURSEL, 0, 0)); }

LRESULT CALLBACK DriveBox::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto& drives = *reinterpret_cast<DriveBox*>(self);
    const bool isStep = message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_LEFT ||
                                                  wParam == VK_RIGHT || wParam == VK_PRIOR || wParam == VK_NEXT);
    if (!isStep || drives.form_ == nullptr || ::SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != FALSE)
        return ::DefSubclassProc(window, message, wParam, lParam);
    LRESULT result = 0;
    drives.ShowDrive(drives.form_->Drive1().Step(drives.Selected(), [&](int from) {
        drives.ShowDrive(from);
        result = ::DefSubclassProc(window, message, wParam, lParam);
        return drives.Selected();
    }));
    return result;
}
