#include "FolderBox.h"

#include <shellapi.h>

#include "FailureBox.h"
#include "PathChain.h"
#include "RuntimeError.h"

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

HICON FolderBox::GlyphOf(int row) const { return row < chainLength_ ? openFolder_.Get() : folder_.Get(); }

void FolderBox::SetNativePath(std::string_view path) {
    List(Runtime::AbsoluteDirectory(path));
    Select(chainLength_ - 1);
    if (pathChanged) pathChanged();
}

void FolderBox::List(std::string absolute) {
    auto folders = Runtime::ReadFolder(absolute, Runtime::NamePattern("*"), Runtime::ListedKinds::Folders).Folders;
    const auto chain = Runtime::ChainOf(absolute, driveRoot_);
    std::vector<EntryRow> rows;
    rows.reserve(chain.size() + folders.size());
    for (std::size_t depth = 0; depth < chain.size(); ++depth)
        rows.push_back({{chain[depth], chain[depth]}, static_cast<int>(depth)});
    for (auto& folder : folders) rows.push_back({std::move(folder), static_cast<int>(chain.size())});

    SetRows(std::move(rows));
    nativePath_ = std::move(absolute);
    chainLength_ = static_cast<int>(chain.size());
}

void FolderBox::Notify(int code) {
    if (code == LBN_DBLCLK) OpenRow(Current());
}

void FolderBox::FollowDisk() {
    const int current = Current();
    const bool isSubfolder = current >= chainLength_;
    const std::string currentName = isSubfolder ? Row(current).entry.NativeName : std::string();
    const TopRow top = Top();
    try {
        List(nativePath_);
    } catch (const Runtime::RuntimeError&) {
        MoveToNearestReadableFolder();
        return;
    }
    const int row = isSubfolder ? RowNamed(currentName, chainLength_) : current;
    Select(row >= 0 ? row : chainLength_ - 1);
    ScrollBackTo(top);
}

void FolderBox::MoveToNearestReadableFolder() {
    // Nobody asked for this move, so a folder above that fails too is
    // passed over quietly; the root is the last one tried.
    for (auto folder = Runtime::ParentFolder(nativePath_); folder; folder = Runtime::ParentFolder(*folder)) {
        try {
            SetNativePath(*folder);
            return;
        } catch (const Runtime::RuntimeError&) {
        }
    }
}

bool FolderBox::BeforeDefault(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_KEYDOWN || wParam != VK_RETURN || Current() < 0) return false;
    OpenRow(Current());
    return true;
}

LRESULT FolderBox::DialogCode(LRESULT code, const MSG* message) const {
    // Enter opens a folder here, rather than pressing a default button.
    if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

void FolderBox::OpenRow(int row) {
    if (row < 0 || row >= Count()) return;
    try {
        SetNativePath(PathOfRow(row));
    } catch (const Runtime::RuntimeError& error) {
        Select(chainLength_ - 1);
        ShowFailure(Handle(), error);
    }
}

std::string FolderBox::PathOfRow(int row) const {
    if (row >= chainLength_) return Runtime::ChildPath(nativePath_, Row(row).entry.NativeName);
    std::vector<std::string> chain;
    for (int i = 0; i <= row; ++i) chain.push_back(Row(i).entry.NativeName);
    return Runtime::PathOfChain(chain, static_cast<std::size_t>(row));
}
