#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Songs.h"

namespace TitleList {

// The rows the table shows: the songs shown (read, or slow to read) in the
// order chosen, and of those the ones the filter lets through, each a song
// id. The order is the walk's until a column is chosen; ties keep the
// walk's order, in either direction. Sort keys for names and titles are
// made for a sort and dropped after it (bench/TitleListBench.cpp: kept,
// they would cost more than the titles), so a song arriving in a sorted
// table makes keys only for the rows its search looks at.
class ShownRows {
public:
    explicit ShownRows(const Songs& songs) : songs_(songs) {}

    std::size_t Count() const { return Rows().size(); }
    SongId operator[](std::size_t row) const { return Rows()[row]; }
    std::optional<std::size_t> RowOf(SongId id) const;

    std::optional<Column> SortColumn() const { return column_; }
    bool IsDescending() const { return isDescending_; }

    void SortBy(std::optional<Column> column, bool isDescending);
    // typed folded already (FoldForFilter); empty lets every row through.
    void Filter(std::string typed);
    // Songs that came to be shown.
    void Insert(std::vector<SongId> songs);
    // Songs shown whose texts changed.
    void Reorder(std::vector<SongId> songs);
    void Remove(std::span<const SongId> songs);
    void Clear();

private:
    const std::vector<SongId>& Rows() const { return isFiltered_ ? visible_ : order_; }

    // What a song is ordered by under the column chosen.
    struct Key {
        std::string text;
        std::int64_t number = 0;
        std::uint64_t walk = 0;
    };

    bool Matches(SongId id) const;
    Key KeyOf(SongId id) const;
    bool IsBefore(const Key& a, const Key& b) const;
    void SortAll(std::vector<SongId>& rows) const;
    void InsertSorted(std::vector<SongId>& rows, std::vector<SongId> batch) const;

    const Songs& songs_;
    std::optional<Column> column_;
    bool isDescending_ = false;
    std::string typed_;
    bool isFiltered_ = false;
    std::vector<SongId> order_;    // every song shown
    std::vector<SongId> visible_;  // those the filter lets through, while it filters
};

}  // namespace TitleList
