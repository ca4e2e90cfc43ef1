#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FolderContents.h"
#include "MidReading.h"

namespace TitleList {

// The table's columns, in the order it shows them.
enum class Column : std::uint8_t { Name, Title, Format, Tracks, Division, Status };
inline constexpr Column kColumns[] = {Column::Name,   Column::Title,    Column::Format,
                                      Column::Tracks, Column::Division, Column::Status};

using SongId = std::uint32_t;

// A folder songs were listed in, at or below the folder the list shows.
struct SongFolder {
    std::string Native;  // below the shown folder, native; empty for the shown folder itself
    std::string Shown;   // the same, as people read it
    std::uint32_t Rank = 0;  // its place in the walk's order
    bool IsGone = false;
};

// One song: a file listed, and once read, what the reader found. About 200
// bytes beside its texts; a title shorter than 16 bytes needs no more.
struct Song {
    enum class Stage : std::uint8_t { Listed, Slow, Read, Gone };

    std::string Name;       // native
    std::string ShownName;  // as people read it; empty when that is Name
    std::string Text;       // the title, or the reader's message when HasTitle is false
    std::string FoldedName;   // the name column, folded for the filter
    std::string FoldedTitle;  // empty without a title
    std::int32_t Format = 0;
    std::int32_t Tracks = 0;
    std::int32_t Division = 0;
    std::uint32_t Folder = 0;
    std::uint32_t Place = 0;  // in its folder's listing
    Stage Progress = Stage::Listed;
    bool HasTitle = false;

    bool IsShown() const { return Progress == Stage::Slow || Progress == Stage::Read; }
    bool IsUnread() const { return Progress == Stage::Listed || Progress == Stage::Slow; }
};

// The songs of one fill, by id: an id is a song's place here and never
// changes, so the selection and the scroll place follow a song through
// every sort, filter and change on disk. A song gone from the disk keeps
// its id, emptied.
class Songs {
public:
    explicit Songs(bool showsSubfolders) : showsSubfolders_(showsSubfolders) {}

    const Song& operator[](SongId id) const { return songs_[id]; }
    std::size_t Count() const { return songs_.size(); }
    const std::vector<SongFolder>& Folders() const { return folders_; }

    // The folder at native (below the shown folder), added when new: at the
    // end of the walk's order while the walk lists, else in its place.
    std::uint32_t AddFolder(std::string_view native, bool isWalking);
    std::optional<std::uint32_t> FindFolder(std::string_view native) const;

    // A song listed, not read yet.
    SongId Add(std::uint32_t folder, std::uint32_t place, const Runtime::FolderEntry& entry);
    // Returns whether anything shown changed.
    bool Read(SongId id, MIDTitle::MidReading reading);
    void NoteSlow(SongId id) { songs_[id].Progress = Song::Stage::Slow; }
    void MoveTo(SongId id, std::uint32_t place) { songs_[id].Place = place; }
    void Remove(SongId id);
    void RemoveFolder(std::uint32_t folder) { folders_[folder].IsGone = true; }

    // The native path below the shown folder, and the one shown.
    std::string NativePath(SongId id) const;
    std::string ShownPath(SongId id) const;
    std::string CellText(SongId id, Column column) const;
    // Orders songs as the walk lists them.
    std::uint64_t WalkKey(SongId id) const { return std::uint64_t{folders_[songs_[id].Folder].Rank} << 32 | songs_[id].Place; }

private:
    void RankFolders();

    bool showsSubfolders_;
    std::deque<Song> songs_;  // a deque: growing never copies the songs, nor leaves room unused
    std::vector<SongFolder> folders_;
};

}  // namespace TitleList
