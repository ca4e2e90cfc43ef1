#include "FolderBox.h"

#include <shellapi.h>

#include <utility>

#include "FailureBox.h"
#include "FolderReader.h"
#include "PathChain.h"
#include "RuntimeError.h"
#include "WindowText.h"

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

FolderBox::~FolderBox() = default;

void FolderBox::Create(HWND parent, int id, const wchar_t* accessibleName, Services::WindowPoster poster) {
    EntryListBox::Create(parent, id, accessibleName);
    reader_ = std::make_unique<Services::FolderReader>(
        std::move(poster), [this](Services::FolderListing listing) { Listed(std::move(listing)); });
}

void FolderBox::StopReading() noexcept { reader_.reset(); }

HICON FolderBox::GlyphOf(int row) const {
    if (row < chainLength_) return openFolder_.Get();
    return IsReading() ? nullptr : folder_.Get();  // the row saying the folder is being read has none
}

void FolderBox::SetNativePath(std::string_view path) { Request(Runtime::AbsoluteFolder(path), Reading::Open); }

void FolderBox::Request(std::string absolute, Reading why) {
    if (!reader_) return;
    // Following the disk needs the subfolders only: the file list beside
    // follows its files itself.
    const bool isWithFiles = why != Reading::Follow;
    auto listing = reader_->Request(absolute, isWithFiles ? filePattern_ : Runtime::NamePattern("*"),
                                    isWithFiles ? Runtime::ListedKinds::FoldersAndFiles : Runtime::ListedKinds::Folders,
                                    patience_);
    if (!listing) {
        ShowReading(std::move(absolute), why);
        return;
    }
    // Answered at once: whatever was on its way before is abandoned.
    reading_ = Reading::Nothing;
    if (why == Reading::Follow) {
        ShowFollowed(std::move(*listing));
        return;
    }
    if (listing->Failure) {
        if (IsReading()) RestoreBeforeReading();
        throw *listing->Failure;
    }
    const bool wasReading = IsReading();
    beforeReading_.reset();
    Show(std::move(*listing));
    if (wasReading) SetReading(false);
    ShowOpened();
}

std::vector<EntryRow> FolderBox::ChainRows(const std::string& absolute) const {
    const auto chain = Runtime::ChainOf(absolute, driveRoot_);
    std::vector<EntryRow> rows;
    rows.reserve(chain.size());
    for (std::size_t depth = 0; depth < chain.size(); ++depth)
        rows.push_back({{chain[depth], chain[depth]}, static_cast<int>(depth)});
    return rows;
}

void FolderBox::Show(Services::FolderListing listing) {
    std::vector<EntryRow> rows = ChainRows(listing.Folder);
    const int chainLength = static_cast<int>(rows.size());
    for (auto& folder : listing.Contents.Folders) rows.push_back({std::move(folder), chainLength});
    SetRows(std::move(rows));
    files_ = std::move(listing.Contents.Files);
    nativePath_ = std::move(listing.Folder);
    chainLength_ = chainLength;
}

void FolderBox::ShowOpened() {
    Select(chainLength_ - 1);
    if (pathChanged) pathChanged();
}

void FolderBox::ShowReading(std::string absolute, Reading why) {
    reading_ = why;
    if (why == Reading::Follow) return;  // the rows shown stay until the new ones come
    if (!IsReading()) {
        auto before = std::make_unique<Shown>();
        for (int row = 0; row < Count(); ++row) before->rows.push_back(Row(row));
        before->nativePath = nativePath_;
        before->chainLength = chainLength_;
        before->currentRow = Current();
        beforeReading_ = std::move(before);
        SetReading(true);
    }
    // The chain moves at once; one row below it says the rest is coming.
    std::vector<EntryRow> rows = ChainRows(absolute);
    chainLength_ = static_cast<int>(rows.size());
    rows.push_back({{{}, std::string(Services::kStillReading)}, chainLength_});
    SetRows(std::move(rows));
    nativePath_ = std::move(absolute);
    Select(chainLength_ - 1);
}

void FolderBox::RestoreBeforeReading() {
    const std::unique_ptr<Shown> before = std::move(beforeReading_);
    SetRows(std::move(before->rows));
    nativePath_ = before->nativePath;
    chainLength_ = before->chainLength;
    Select(before->currentRow);
    SetReading(false);
}

void FolderBox::SetReading(bool isReading) {
    if (readingChanged) readingChanged(isReading);
}

void FolderBox::Listed(Services::FolderListing listing) {
    const Reading why = std::exchange(reading_, Reading::Nothing);
    if (why == Reading::Follow) {
        ShowFollowed(std::move(listing));
        return;
    }
    if (listing.Failure && why == Reading::MoveUp) {
        // Passed over quietly, as when it answers at once: on to the folder above.
        beforeReading_.reset();
        SetReading(false);
        nativePath_ = listing.Folder;
        MoveToNearestReadableFolder();
        return;
    }
    if (listing.Failure) {
        RestoreBeforeReading();
        ShowFailure(Handle(), *listing.Failure);
        return;
    }
    beforeReading_.reset();
    Show(std::move(listing));
    SetReading(false);
    ShowOpened();
}

void FolderBox::Notify(int code) {
    if (code == LBN_DBLCLK) OpenRow(Current());
}

void FolderBox::FollowDisk() {
    // A folder being opened is listed anew anyway.
    if (reading_ == Reading::Open || reading_ == Reading::MoveUp) return;
    Request(nativePath_, Reading::Follow);
}

void FolderBox::ShowFollowed(Services::FolderListing listing) {
    if (listing.Failure) {
        MoveToNearestReadableFolder();
        return;
    }
    const int current = Current();
    const bool isSubfolder = current >= chainLength_;
    const std::string currentName = isSubfolder ? Row(current).entry.NativeName : std::string();
    const TopRow top = Top();
    Show(std::move(listing));
    const int row = isSubfolder ? RowNamed(currentName, chainLength_) : current;
    Select(row >= 0 ? row : chainLength_ - 1);
    ScrollBackTo(top);
}

void FolderBox::MoveToNearestReadableFolder() {
    // Nobody asked for this move, so a folder above that fails too is
    // passed over quietly; the root is the last one tried.
    for (auto folder = Runtime::ParentFolder(nativePath_); folder; folder = Runtime::ParentFolder(*folder)) {
        try {
            Request(Runtime::AbsoluteFolder(*folder), Reading::MoveUp);
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
    if (row >= chainLength_ && IsReading()) return;  // the row saying the folder is being read
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
