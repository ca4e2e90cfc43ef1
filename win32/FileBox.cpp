#include "FileBox.h"

#include <windowsx.h>

#include <utility>

#include "FolderReader.h"
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

FileBox::FileBox() = default;

FileBox::~FileBox() = default;

void FileBox::Create(HWND parent, int id, const wchar_t* accessibleName, Services::WindowPoster poster) {
    EntryListBox::Create(parent, id, accessibleName);
    reader_ = std::make_unique<Services::FolderReader>(
        std::move(poster), [this](Services::FolderListing listing) { ShowFollowed(std::move(listing)); });
}

void FileBox::StopReading() noexcept { reader_.reset(); }

void FileBox::ShowListing(std::string_view path, std::vector<Runtime::FolderEntry> files) {
    if (reader_) reader_->Abandon();
    std::vector<EntryRow> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0});
    SetRows(std::move(rows));
    // The list box keeps its selected row through a new row count; a folder
    // just opened has no file chosen in it.
    Select(-1);
    nativePath_ = path;
}

void FileBox::ShowReading(bool isReading) {
    ::EnableWindow(Handle(), isReading ? FALSE : TRUE);
    AnnounceState(isReading ? Runtime::WideFromUtf8(Services::kStillReading) : std::wstring());
}

void FileBox::Notify(int code) {
    if (code == LBN_SELCHANGE && Current() >= 0 && selectionClicked) selectionClicked();
}

void FileBox::FollowDisk() {
    if (!reader_) return;
    // A listing that takes longer arrives through the reader, into ShowFollowed.
    if (auto listing = reader_->Request(nativePath_, pattern_, Runtime::ListedKinds::Files,
                                        Services::kListingPatience))
        ShowFollowed(std::move(*listing));
}

void FileBox::ShowFollowed(Services::FolderListing listing) {
    // A folder gone or unreadable has nothing in it to show. The folder
    // list moves to a folder that exists and this list follows it there.
    std::vector<EntryRow> rows;
    rows.reserve(listing.Contents.Files.size());
    for (auto& file : listing.Contents.Files) rows.push_back({std::move(file), 0});
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
