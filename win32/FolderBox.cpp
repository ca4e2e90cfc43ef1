#include "FolderBox.h"

#include <shellapi.h>

#include "Form1Core.h"

namespace {

// The shell's own folder pictures, as Explorer draws them. Asked by
// attributes alone, so no folder on disk is read for them.
HICON FolderIcon(UINT openOrClosed) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | openOrClosed;
    return ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags) != 0 ? info.hIcon
                                                                                                : nullptr;
}

}  // namespace

FolderBox::FolderBox() : openFolder_(FolderIcon(SHGFI_OPENICON)), folder_(FolderIcon(0)) {}

HICON FolderBox::GlyphOf(int row) const {
    switch (Row(row).Picture) {
    case Window::Row::Glyph::OpenFolder: return openFolder_.Get();
    case Window::Row::Glyph::Folder: return folder_.Get();
    default: return nullptr;  // the row saying the folder is being read has none
    }
}

void FolderBox::Notify(int code) {
    if (code == LBN_DBLCLK && form_ != nullptr) form_->Dir1_Open(Current());
}

bool FolderBox::BeforeDefault(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_KEYDOWN || wParam != VK_RETURN || Current() < 0 || form_ == nullptr) return false;
    form_->Dir1_Open(Current());
    return true;
}

LRESULT FolderBox::DialogCode(LRESULT code, const MSG* message) const {
    // Enter opens a folder here, rather than pressing a default button.
    if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}
