#include "FileChoice.h"

#include <algorithm>
#include <utility>

#include "ReadableName.h"

namespace Window {

namespace {

std::vector<Row> FileRows(std::vector<Runtime::FolderEntry> files) {
    std::vector<Row> rows;
    rows.reserve(files.size());
    for (auto& file : files) rows.push_back({std::move(file), 0, Row::Glyph::None});
    return rows;
}

}  // namespace

int RowNamed(std::span<const Row> rows, std::string_view nativeName, int from) {
    for (std::size_t row = static_cast<std::size_t>(std::max(from, 0)); row < rows.size(); ++row) {
        if (rows[row].Entry.NativeName == nativeName) return static_cast<int>(row);
    }
    return -1;
}

FileChoice::FileChoice(Services::WindowPoster poster, ListView& view, Services::ListFolderFunction list)
    : view_(view),
      reader_(std::make_unique<Services::FolderReader>(
          std::move(poster), [this](Services::FolderListing listing) { ShowFollowed(std::move(listing)); },
          std::move(list))) {}

void FileChoice::ShowListing(std::string folder, std::vector<Runtime::FolderEntry> files) {
    if (reader_) reader_->Abandon();
    readableFolder_ = Runtime::ReadablePath(folder);
    nativeFolder_ = std::move(folder);
    rows_ = FileRows(std::move(files));
    // A folder just opened has no file chosen in it: new rows have none selected.
    view_.ShowRows(rows_);
}

void FileChoice::FollowDisk(std::chrono::milliseconds patience) {
    if (!reader_ || nativeFolder_.empty()) return;
    if (auto listing = reader_->Request(nativeFolder_, pattern_, Runtime::ListedKinds::Files, patience))
        ShowFollowed(std::move(*listing));
}

void FileChoice::StopReading() noexcept { reader_.reset(); }

std::optional<Services::SelectedFile> FileChoice::Selected() const {
    const int row = view_.Selected();
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return std::nullopt;
    return Services::SelectedFile{nativeFolder_, readableFolder_, rows_[static_cast<std::size_t>(row)].Entry};
}

void FileChoice::ShowFollowed(Services::FolderListing listing) {
    // A listing of a folder left meanwhile belongs to none shown.
    if (listing.Folder != nativeFolder_) return;
    // A folder gone or unreadable has nothing in it to show; Dir1 moves to
    // a folder that exists and this list follows it there.
    const int selected = view_.Selected();
    const std::string selectedName = selected >= 0 ? rows_[static_cast<std::size_t>(selected)].Entry.NativeName : "";
    const int top = view_.TopRow();
    const std::string topName = top >= 0 ? rows_[static_cast<std::size_t>(top)].Entry.NativeName : "";
    rows_ = FileRows(std::move(listing.Contents.Files));
    view_.ShowRows(rows_);
    const int count = static_cast<int>(rows_.size());
    const int again = selected >= 0 ? RowNamed(rows_, selectedName) : -1;
    if (again >= 0) view_.Select(again);
    else if (selected >= 0 && count > 0) view_.PlaceCaret(std::min(selected, count - 1));
    if (top >= 0 && count > 0) {
        const int row = RowNamed(rows_, topName);
        view_.ScrollToTop(row >= 0 ? row : std::min(top, count - 1));
    }
}

}  // namespace Window
