#include "DriveBox.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "Patience.h"
#include "NewestWins.h"
#include "PathChain.h"
#include "WideText.h"
#include "WindowText.h"

namespace {

std::wstring VolumeText(const Runtime::Volume& volume) {
    // "C: [Windows]", as Explorer names drives.
    std::wstring text = Runtime::WideFromUtf8(volume.MountPoint);
    if (!text.empty() && text.back() == L'\\') text.pop_back();
    if (!volume.Label.empty()) text += L" [" + Runtime::WideFromUtf8(volume.Label) + L"]";
    return text;
}

bool IsSameDrive(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(static_cast<unsigned char>(a[i])) != std::towupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

DriveBox::DriveBox() = default;

DriveBox::~DriveBox() {
    if (combo_ != nullptr) ::RemoveWindowSubclass(combo_, Subclassed, 0);
}

void DriveBox::Create(HWND parent, int id, Services::WindowPoster poster) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    // Screen readers name a drop-down list after the label just before it.
    const std::wstring name = Runtime::WideFromUtf8(Services::kDriveName);
    ::CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    combo_ = ::CreateWindowExW(0, L"COMBOBOX", name.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    ::SetWindowSubclass(combo_, Subclassed, 0, reinterpret_cast<DWORD_PTR>(this));
    work_ = std::make_unique<Services::BackgroundWork>(std::move(poster), 1);
    volumesRead_ = std::make_unique<Services::NewestWins<std::vector<Runtime::Volume>>>(
        *work_, [this](std::vector<Runtime::Volume> volumes) { SetVolumes(std::move(volumes)); });
    // No message loop runs yet, so waiting longer stops nothing; the list
    // holds "C:\" until the drives arrive.
    auto volumes = volumesRead_->Request(Runtime::MountedVolumes, Services::kStartListingPatience);
    SetVolumes(volumes ? std::move(*volumes) : std::vector<Runtime::Volume>());
}

void DriveBox::StopReading() noexcept {
    volumesRead_.reset();
    work_.reset();
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

const std::string& DriveBox::NativeDrive() const {
    const int index = Selected();
    return volumes_[static_cast<std::size_t>(index < 0 ? 0 : index)].MountPoint;
}

void DriveBox::SetNativeDrive(std::string_view path) {
    const std::string root = Runtime::RootOf(path);
    for (std::size_t i = 0; i < volumes_.size(); ++i) {
        if (!IsSameDrive(volumes_[i].MountPoint, root)) continue;
        settled_ = static_cast<int>(i);
        ::SendMessageW(combo_, CB_SETCURSEL, i, 0);
        return;
    }
}

void DriveBox::ReturnTo(std::string_view path) {
    const int failed = Selected();
    SetNativeDrive(path);
    if (Selected() != failed) failed_ = failed;
}

void DriveBox::Notify(int code) {
    if (code == CBN_DROPDOWN) {
        // Drives that take longer to read fill the open list when they arrive.
        if (!volumesRead_) return;
        if (auto volumes = volumesRead_->Request(Runtime::MountedVolumes, Services::kListingPatience))
            SetVolumes(std::move(*volumes));
        return;
    }
    const bool isDropped = ::SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    const bool isSettled = code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !isDropped);
    if (!isSettled || Selected() < 0 || Selected() == settled_) return;
    settled_ = Selected();
    failed_ = -1;
    if (driveChanged) driveChanged();
}

void DriveBox::SetVolumes(std::vector<Runtime::Volume> volumes) {
    if (volumes.empty()) volumes.push_back(Runtime::Volume{"C:\\", {}, {}, {}, Runtime::DriveKind::Fixed});
    const std::string current = volumes_.empty() ? std::string() : NativeDrive();
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    volumes_ = std::move(volumes);
    for (const Runtime::Volume& volume : volumes_)
        ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VolumeText(volume).c_str()));
    settled_ = -1;
    failed_ = -1;
    if (!current.empty()) SetNativeDrive(current);
    // A drive that went away leaves the one shown in place until another is chosen.
}

int DriveBox::Selected() const noexcept { return static_cast<int>(::SendMessageW(combo_, CB_GETCURSEL, 0, 0)); }

LRESULT CALLBACK DriveBox::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto& drives = *reinterpret_cast<DriveBox*>(self);
    const bool isStep = message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_LEFT ||
                                                  wParam == VK_RIGHT || wParam == VK_PRIOR || wParam == VK_NEXT);
    if (!isStep || drives.failed_ < 0 || ::SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != FALSE)
        return ::DefSubclassProc(window, message, wParam, lParam);
    // Else the step would lead to the failed drive again, and the drives
    // beyond it could only be reached by their letters. CB_SETCURSEL is silent.
    const int shown = drives.Selected();
    ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(drives.failed_), 0);
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    // No step past the last drive: the one shown stays.
    if (drives.Selected() == drives.failed_) ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
    return result;
}
