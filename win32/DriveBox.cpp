#include "DriveBox.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "Patience.h"
#include "NewestWins.h"
#include "PathChain.h"
#include "windows/WideText.h"

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

DriveBox::~DriveBox() = default;

void DriveBox::Create(HWND parent, int id, Services::WindowPoster poster) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    // Screen readers name a drop-down list after the label just before it.
    ::CreateWindowExW(0, L"STATIC", L"ドライブ", WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    combo_ = ::CreateWindowExW(0, L"COMBOBOX", L"ドライブ",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
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
    if (!current.empty()) SetNativeDrive(current);
    // A drive that went away leaves the one shown in place until another is chosen.
}

int DriveBox::Selected() const noexcept { return static_cast<int>(::SendMessageW(combo_, CB_GETCURSEL, 0, 0)); }
