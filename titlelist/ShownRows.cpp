#include "ShownRows.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "SortKey.h"
#include "TextFolding.h"

namespace TitleList {

namespace {

bool IsText(Column column) { return column == Column::Name || column == Column::Title || column == Column::Status; }

}  // namespace

std::optional<std::size_t> ShownRows::RowOf(SongId id) const {
    const auto at = std::find(Rows().begin(), Rows().end(), id);
    if (at == Rows().end()) return std::nullopt;
    return static_cast<std::size_t>(at - Rows().begin());
}

void ShownRows::SortBy(std::optional<Column> column, bool isDescending) {
    column_ = column;
    isDescending_ = isDescending;
    SortAll(order_);
    if (isFiltered_) SortAll(visible_);
}

void ShownRows::Filter(std::string typed) {
    // Text typed on at the end can only narrow what the filter lets through.
    const bool isNarrower = isFiltered_ && typed.find(typed_) != std::string::npos;
    typed_ = std::move(typed);
    isFiltered_ = !typed_.empty();
    if (!isFiltered_) return visible_.clear();
    std::vector<SongId> visible;
    for (const SongId id : isNarrower ? visible_ : order_) {
        if (Matches(id)) visible.push_back(id);
    }
    visible_ = std::move(visible);
}

void ShownRows::Reorder(std::vector<SongId> songs) {
    Remove(songs);
    Insert(std::move(songs));
}

void ShownRows::Insert(std::vector<SongId> songs) {
    if (songs.empty()) return;
    if (isFiltered_) {
        std::vector<SongId> matching;
        std::copy_if(songs.begin(), songs.end(), std::back_inserter(matching), [this](SongId id) { return Matches(id); });
        InsertSorted(visible_, std::move(matching));
    }
    InsertSorted(order_, std::move(songs));
}

void ShownRows::Remove(std::span<const SongId> songs) {
    if (songs.empty()) return;
    std::vector<bool> isRemoved(songs_.Count());
    for (const SongId id : songs) isRemoved[id] = true;
    const auto removed = [&isRemoved](SongId id) { return isRemoved[id]; };
    std::erase_if(order_, removed);
    std::erase_if(visible_, removed);
}

void ShownRows::Clear() {
    order_.clear();
    visible_.clear();
}

bool ShownRows::Matches(SongId id) const {
    const Song& song = songs_[id];
    return TitleList::Matches(song.FoldedTitle, typed_) || TitleList::Matches(song.FoldedName, typed_);
}

ShownRows::Key ShownRows::KeyOf(SongId id) const {
    Key key{{}, 0, songs_.WalkKey(id)};
    if (!column_) return key;
    if (IsText(*column_)) {
        key.text = SortKey(songs_.CellText(id, *column_));
        return key;
    }
    const Song& song = songs_[id];
    // A song still being read has no numbers yet: it comes before every song read.
    if (song.Progress != Song::Stage::Read) key.number = -1;
    else if (column_ == Column::Format) key.number = song.Format;
    else if (column_ == Column::Tracks) key.number = song.Tracks;
    else key.number = song.Division;
    return key;
}

bool ShownRows::IsBefore(const Key& a, const Key& b) const {
    if (column_) {
        const int order = IsText(*column_) ? a.text.compare(b.text) : (a.number > b.number) - (a.number < b.number);
        if (order != 0) return isDescending_ ? order > 0 : order < 0;
    }
    return a.walk < b.walk;
}

void ShownRows::SortAll(std::vector<SongId>& rows) const {
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const SongId id : rows) keys.push_back(KeyOf(id));
    std::vector<std::uint32_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return IsBefore(keys[a], keys[b]); });
    std::vector<SongId> sorted;
    sorted.reserve(rows.size());
    for (const std::uint32_t at : order) sorted.push_back(rows[at]);
    rows = std::move(sorted);
}

void ShownRows::InsertSorted(std::vector<SongId>& rows, std::vector<SongId> batch) const {
    if (batch.empty()) return;
    // Searching by name or title makes a key for each row it looks at: a
    // batch too large for that is cheaper sorted in with the rest, every key
    // made once.
    const bool isKeyCostly = column_ && IsText(*column_);
    if (isKeyCostly && batch.size() * static_cast<std::size_t>(std::bit_width(rows.size())) > rows.size()) {
        rows.insert(rows.end(), batch.begin(), batch.end());
        return SortAll(rows);
    }
    std::vector<Key> keys;
    keys.reserve(batch.size());
    for (const SongId id : batch) keys.push_back(KeyOf(id));
    std::vector<std::uint32_t> order(batch.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return IsBefore(keys[a], keys[b]); });
    // Where each goes among the rows as they are, then all moved in one
    // pass from the end: rows arriving in the walk's order, as they mostly
    // do, go on the end and move nothing.
    std::vector<std::size_t> places;
    places.reserve(batch.size());
    auto from = rows.begin();
    for (const std::uint32_t at : order) {
        from = std::upper_bound(from, rows.end(), keys[at], [this](const Key& key, SongId row) { return IsBefore(key, KeyOf(row)); });
        places.push_back(static_cast<std::size_t>(from - rows.begin()));
    }
    std::size_t end = rows.size();
    rows.resize(rows.size() + batch.size());
    for (std::size_t i = batch.size(); i-- > 0;) {
        const auto first = rows.begin() + static_cast<std::ptrdiff_t>(places[i]);
        std::move_backward(first, rows.begin() + static_cast<std::ptrdiff_t>(end),
                           rows.begin() + static_cast<std::ptrdiff_t>(end + i + 1));
        rows[places[i] + i] = batch[order[i]];
        end = places[i];
    }
}

}  // namespace TitleList
