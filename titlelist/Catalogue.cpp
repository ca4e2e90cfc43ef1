#include "Catalogue.h"

#include <algorithm>

#include "CatalogueText.h"
#include "PathChain.h"
#include "PathSeparator.h"
#include "PrintableName.h"
#include "ReadableName.h"
#include "SavedFile.h"
#include "TextFolding.h"
#include "WindowText.h"

namespace TitleList {

Catalogue::Catalogue(CatalogueView& view, CatalogueLinks links) : view_(view), links_(std::move(links)) {}

Catalogue::~Catalogue() = default;

void Catalogue::Open(std::string_view nativeFolder) {
    if (nativeFolder != folder_) Close();
    folder_ = nativeFolder;
    view_.ShowTitle(WindowTitle(folder_));
    StartFill();
}

void Catalogue::Close() {
    fill_.reset();
    table_.reset();
    folder_.clear();
    selected_.clear();
    current_.reset();
    anchor_.reset();
    chosenBefore_ = {};
}

void Catalogue::Refresh() {
    if (!folder_.empty()) StartFill();
}

void Catalogue::IncludeSubfolders(bool isIncluded) {
    if (isIncluded == includesSubfolders_) return;
    includesSubfolders_ = isIncluded;
    Refresh();
}

void Catalogue::StartFill() {
    fill_.reset();
    const std::optional<Column> column = table_ ? table_->rows.SortColumn() : std::nullopt;
    const bool isDescending = table_ && table_->rows.IsDescending();
    if (table_) {
        // Songs get new ids: what was chosen is chosen again as the same files arrive.
        const Songs& songs = table_->songs;
        for (SongId id = 0; id < selected_.size(); ++id) {
            if (selected_[id]) chosenBefore_.selected.insert(songs.NativePath(id));
        }
        if (current_) chosenBefore_.current = songs.NativePath(*current_);
        if (anchor_) chosenBefore_.anchor = songs.NativePath(*anchor_);
    }
    selected_.clear();
    current_.reset();
    anchor_.reset();
    table_ = std::make_unique<Table>(includesSubfolders_);
    table_->rows.SortBy(column, isDescending);
    table_->rows.Filter(FoldForFilter(typed_));
    found_ = unread_ = 0;
    walks_ = 1;
    hasWalkedShown_ = false;
    changed_.clear();
    fill_ = std::make_unique<CatalogueFill>(links_, includesSubfolders_,
                                            [this](std::vector<FillEvent> events) { Take(std::move(events)); });
    fill_->Walk(folder_, true);
    ShowChanges();
    view_.ShowOrder(column, isDescending, SpokenOrder(column, isDescending));
}

void Catalogue::Filter(std::string_view typed) {
    typed_ = typed;
    if (!table_) return;
    table_->rows.Filter(FoldForFilter(typed));
    ShowChanges();
}

void Catalogue::SortBy(Column column) {
    if (!table_) return;
    ShownRows& rows = table_->rows;
    const bool isDescending = rows.SortColumn() == column && !rows.IsDescending();
    rows.SortBy(column, isDescending);
    ShowChanges();
    view_.ShowOrder(column, isDescending, SpokenOrder(column, isDescending));
}

void Catalogue::Select(std::span<const std::size_t> rows, std::optional<std::size_t> current) {
    if (!table_) return;
    selected_.assign(table_->songs.Count(), false);
    for (const std::size_t row : rows) {
        if (row < RowCount()) selected_[table_->rows[row]] = true;
    }
    current_.reset();
    if (current && *current < RowCount()) current_ = table_->rows[*current];
    chosenBefore_.selected.clear();
    chosenBefore_.current.clear();
    NoteAnchor();
}

void Catalogue::Scroll(std::size_t topRow, std::size_t rowsOnScreen) {
    top_ = topRow;
    rowsOnScreen_ = rowsOnScreen;
    chosenBefore_.anchor.clear();
    NoteAnchor();
}

void Catalogue::NoteAnchor() {
    anchor_.reset();
    if (!table_) return;
    // The song with the focus keeps its place on screen while it is on
    // screen; else the top row does, unless the table is at its top, where
    // it stays as rows arrive above.
    const auto currentRow = current_ ? table_->rows.RowOf(*current_) : std::nullopt;
    if (currentRow && *currentRow >= top_ && *currentRow < top_ + rowsOnScreen_) {
        anchor_ = current_;
        anchorOffset_ = *currentRow - top_;
    } else if (top_ > 0 && top_ < RowCount()) {
        anchor_ = table_->rows[top_];
        anchorOffset_ = 0;
    }
}

void Catalogue::Activate(std::size_t row) {
    if (row >= RowCount() || !links_.ShowInForm1) return;
    const Song& song = table_->songs[table_->rows[row]];
    const std::string folder = Absolute(table_->songs.Folders()[song.Folder].Native);
    links_.ShowInForm1({folder, Runtime::ReadablePath(folder),
                        {song.Name, song.ShownName.empty() ? song.Name : song.ShownName}});
}

std::string Catalogue::CellText(std::size_t row, Column column) const {
    if (row >= RowCount()) return {};
    return table_->songs.CellText(table_->rows[row], column);
}

std::vector<std::string> Catalogue::Folders() const {
    std::vector<std::string> folders;
    if (!table_) return folders;
    for (const SongFolder& folder : table_->songs.Folders()) {
        if (!folder.IsGone) folders.push_back(Absolute(folder.Native));
    }
    return folders;
}

void Catalogue::ShowChanges() {
    view_.ShowRows(RowCount());
    if (!table_) return;
    const bool hasSelection = std::find(selected_.begin(), selected_.end(), true) != selected_.end();
    if (hasSelection || current_) {
        std::vector<std::size_t> selectedRows;
        for (std::size_t row = 0; row < RowCount(); ++row) {
            const SongId id = table_->rows[row];
            if (id < selected_.size() && selected_[id]) selectedRows.push_back(row);
        }
        view_.ShowSelection(selectedRows, current_ ? table_->rows.RowOf(*current_) : std::nullopt);
    }
    const auto anchorRow = anchor_ ? table_->rows.RowOf(*anchor_) : std::nullopt;
    if (anchorRow) {
        const std::size_t top = *anchorRow > anchorOffset_ ? *anchorRow - anchorOffset_ : 0;
        if (top != top_) view_.ScrollTo(top_ = top);
    }
    ShowCount();
}

void Catalogue::ShowCount() {
    const bool isReading = walks_ > 0 || unread_ > 0;
    const std::size_t read = found_ - unread_;
    view_.ShowCount(isReading ? CountText(read, found_) : std::string(),
                    SpokenCount(read, found_, RowCount(), isReading));
}

std::string Catalogue::Relative(std::string_view nativePath) const {
    if (nativePath.size() <= folder_.size()) return {};
    const bool hasSeparator = folder_.back() == Runtime::kPathSeparator;
    return std::string(nativePath.substr(folder_.size() + (hasSeparator ? 0 : 1)));
}

std::string Catalogue::Absolute(std::string_view relative) const {
    return relative.empty() ? folder_ : Runtime::ChildPath(folder_, relative);
}

Services::FileToRead Catalogue::FileOf(SongId id) const {
    return {id, Runtime::PathFromNative(Absolute(table_->songs.NativePath(id))), false};
}

std::string Catalogue::RowsText(RowFormat format, std::span<const SongId> ids) const {
    std::string text(RowHeader(format));
    const std::string printedFolder = Runtime::PrintablePath(folder_);
    for (const SongId id : ids) {
        const Song& song = table_->songs[id];
        const bool isRead = song.Progress == Song::Stage::Read;
        MIDTitle::MidReading reading{{song.Format, song.Tracks, song.Division,
                                      isRead ? song.Text : std::string(Services::kStillReading)},
                                     isRead && song.HasTitle};
        AppendRow(text, format, Runtime::ChildPath(printedFolder, Runtime::PrintablePath(table_->songs.NativePath(id))), reading);
    }
    return text;
}

std::string Catalogue::SelectedRowsAsTsv() const {
    std::vector<SongId> ids;
    for (std::size_t row = 0; row < RowCount(); ++row) {
        const SongId id = table_->rows[row];
        if (id < selected_.size() && selected_[id]) ids.push_back(id);
    }
    return RowsText(RowFormat::Tsv, ids);
}

std::string Catalogue::ShownRowsAsCsv() const {
    std::vector<SongId> ids;
    for (std::size_t row = 0; row < RowCount(); ++row) ids.push_back(table_->rows[row]);
    return std::string(kByteOrderMark) + RowsText(RowFormat::Csv, ids);
}

std::optional<Runtime::RuntimeError> Catalogue::SaveShownRows(std::string_view nativePath) const {
    try {
        Runtime::SaveFile(nativePath, ShownRowsAsCsv());
    } catch (const Runtime::RuntimeError& error) {
        return error;
    }
    return std::nullopt;
}

}  // namespace TitleList
