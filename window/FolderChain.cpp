#include "FolderChain.h"

#include <utility>

#include "PathChain.h"
#include "ReadableName.h"
#include "WindowText.h"

namespace Window {

FolderChain::FolderChain(Services::WindowPoster poster, ListView& view, WindowHost& host,
                         Runtime::NamePattern filePattern, Services::ListFolderFunction list)
    : view_(view),
      host_(host),
      filePattern_(std::move(filePattern)),
      reader_(std::make_unique<Services::FolderReader>(
          std::move(poster), [this](Services::FolderListing listing) { Listed(std::move(listing)); }, std::move(list))) {}

std::optional<Runtime::RuntimeError> FolderChain::Open(std::string_view path) {
    std::string absolute;
    try {
        absolute = Runtime::AbsoluteFolder(path);
    } catch (const Runtime::RuntimeError& error) {
        return error;
    }
    if (absolute == nativePath_ && listedDriveRoot_ == driveRoot_ && !IsReading()) return std::nullopt;
    return Request(std::move(absolute), Reading::Open);
}

void FolderChain::StopReading() noexcept { reader_.reset(); }

std::optional<Runtime::RuntimeError> FolderChain::Request(std::string absolute, Reading why) {
    if (!reader_) return std::nullopt;
    // Following the disk needs the subfolders only: File1 follows its files itself.
    const bool isWithFiles = why != Reading::Follow;
    auto listing = reader_->Request(absolute, isWithFiles ? filePattern_ : Runtime::NamePattern("*"),
                                    isWithFiles ? Runtime::ListedKinds::FoldersAndFiles : Runtime::ListedKinds::Folders,
                                    patience_);
    if (!listing) {
        ShowReading(std::move(absolute), why);
        return std::nullopt;
    }
    // Answered at once: whatever was on its way before is abandoned.
    reading_ = Reading::Nothing;
    if (why == Reading::Follow) {
        ShowFollowed(std::move(*listing));
        return std::nullopt;
    }
    if (listing->Failure) {
        if (IsReading()) RestoreBeforeReading();
        return listing->Failure;
    }
    const bool wasReading = IsReading();
    beforeReading_.reset();
    Show(std::move(*listing));
    if (wasReading && readingChanged) readingChanged(false);
    ShowOpened();
    return std::nullopt;
}

std::vector<Row> FolderChain::ChainRows(const std::string& absolute) const {
    const auto chain = Runtime::ChainOf(absolute, driveRoot_);
    std::vector<Row> rows;
    rows.reserve(chain.size());
    for (std::size_t depth = 0; depth < chain.size(); ++depth) {
        // The root is shown whole, the folders under it by name.
        std::string shown = depth == 0 ? Runtime::ReadablePath(chain[0]) : Runtime::ReadableName(chain[depth]);
        rows.push_back({{chain[depth], std::move(shown)}, static_cast<int>(depth), Row::Glyph::OpenFolder});
    }
    return rows;
}

void FolderChain::Show(Services::FolderListing listing) {
    std::vector<Row> rows = ChainRows(listing.Folder);
    const int chainLength = static_cast<int>(rows.size());
    rows.reserve(rows.size() + listing.Contents.Folders.size());
    for (auto& folder : listing.Contents.Folders) rows.push_back({std::move(folder), chainLength, Row::Glyph::Folder});
    rows_ = std::move(rows);
    view_.ShowRows(rows_);
    files_ = std::move(listing.Contents.Files);
    nativePath_ = std::move(listing.Folder);
    listedDriveRoot_ = driveRoot_;
    chainLength_ = chainLength;
}

void FolderChain::ShowOpened() {
    view_.Select(chainLength_ - 1);
    if (pathChanged) pathChanged();
}

void FolderChain::ShowReading(std::string absolute, Reading why) {
    reading_ = why;
    if (why == Reading::Follow) return;  // the rows shown stay until the new ones come
    if (!IsReading()) {
        beforeReading_ = std::make_unique<Shown>(Shown{rows_, nativePath_, chainLength_, view_.Selected()});
        if (readingChanged) readingChanged(true);
    }
    // The chain moves at once; one row below it says the rest is coming.
    std::vector<Row> rows = ChainRows(absolute);
    chainLength_ = static_cast<int>(rows.size());
    rows.push_back({{{}, std::string(Services::kStillReading)}, chainLength_, Row::Glyph::None});
    rows_ = std::move(rows);
    view_.ShowRows(rows_);
    nativePath_ = std::move(absolute);
    view_.Select(chainLength_ - 1);
}

void FolderChain::RestoreBeforeReading() {
    const std::unique_ptr<Shown> before = std::move(beforeReading_);
    rows_ = std::move(before->rows);
    view_.ShowRows(rows_);
    nativePath_ = before->nativePath;
    chainLength_ = before->chainLength;
    view_.Select(before->highlighted);
    if (readingChanged) readingChanged(false);
}

void FolderChain::Listed(Services::FolderListing listing) {
    const Reading why = std::exchange(reading_, Reading::Nothing);
    if (why == Reading::Follow) {
        ShowFollowed(std::move(listing));
        return;
    }
    if (listing.Failure && why == Reading::MoveUp) {
        // Passed over quietly, as when it answers at once: on to the folder above.
        beforeReading_.reset();
        if (readingChanged) readingChanged(false);
        nativePath_ = listing.Folder;
        MoveToNearestReadableFolder();
        return;
    }
    if (listing.Failure) {
        RestoreBeforeReading();
        host_.ShowFailure(*listing.Failure);
        return;
    }
    beforeReading_.reset();
    Show(std::move(listing));
    if (readingChanged) readingChanged(false);
    ShowOpened();
}

void FolderChain::FollowDisk() {
    // A folder being opened is listed anew anyway.
    if (reading_ == Reading::Open || reading_ == Reading::MoveUp || nativePath_.empty()) return;
    Request(nativePath_, Reading::Follow);
}

void FolderChain::ShowFollowed(Services::FolderListing listing) {
    if (listing.Failure) {
        MoveToNearestReadableFolder();
        return;
    }
    const int highlighted = view_.Selected();
    const bool isSubfolder = highlighted >= chainLength_;
    const std::string name = isSubfolder ? rows_[static_cast<std::size_t>(highlighted)].Entry.NativeName : "";
    const int top = view_.TopRow();
    const std::string topName = top >= 0 ? rows_[static_cast<std::size_t>(top)].Entry.NativeName : "";
    Show(std::move(listing));
    const int row = isSubfolder ? RowNamed(rows_, name, chainLength_) : highlighted;
    view_.Select(row >= 0 ? row : chainLength_ - 1);
    if (top >= 0) {
        const int again = RowNamed(rows_, topName);
        view_.ScrollToTop(again >= 0 ? again : std::min(top, static_cast<int>(rows_.size()) - 1));
    }
}

void FolderChain::MoveToNearestReadableFolder() {
    // Nobody asked for this move, so a folder above that fails too is
    // passed over quietly; the root is the last one tried.
    for (auto folder = Runtime::ParentFolder(nativePath_); folder; folder = Runtime::ParentFolder(*folder)) {
        if (!Request(*folder, Reading::MoveUp)) return;
    }
}

void FolderChain::OpenRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    if (row >= chainLength_ && IsReading()) return;  // the row saying the folder is being read
    if (auto failure = Open(PathOfRow(row))) {
        view_.Select(chainLength_ - 1);
        host_.ShowFailure(*failure);
    }
}

std::string FolderChain::PathOfRow(int row) const {
    if (row >= chainLength_) return Runtime::ChildPath(nativePath_, rows_[static_cast<std::size_t>(row)].Entry.NativeName);
    std::vector<std::string> chain;
    for (int i = 0; i <= row; ++i) chain.push_back(rows_[static_cast<std::size_t>(i)].Entry.NativeName);
    return Runtime::PathOfChain(chain, static_cast<std::size_t>(row));
}

}  // namespace Window
