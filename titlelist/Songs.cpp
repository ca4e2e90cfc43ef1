#include "Songs.h"

#include <algorithm>
#include <numeric>

#include "CatalogueText.h"
#include "NamePattern.h"
#include "PathChain.h"
#include "PathSeparator.h"
#include "ReadableName.h"
#include "TextFolding.h"
#include "WindowText.h"

namespace TitleList {

namespace {

// The names of a path below the shown folder, one by one.
std::vector<std::string_view> NamesOf(std::string_view path) {
    std::vector<std::string_view> names;
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find(Runtime::kPathSeparator, start), path.size());
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Whether the walk reaches a before b: a folder's files and then its
// subfolders, each in the folder list's order (readable names ignoring
// case, then native bytes), so a folder comes before those below it.
bool IsWalkedBefore(const SongFolder& a, const SongFolder& b) {
    const auto nativeA = NamesOf(a.Native), nativeB = NamesOf(b.Native);
    const auto shownA = NamesOf(a.Shown), shownB = NamesOf(b.Shown);
    for (std::size_t i = 0; i < nativeA.size() && i < nativeB.size(); ++i) {
        const std::string keyA = Runtime::SortKeyIgnoringCase(shownA.at(i)), keyB = Runtime::SortKeyIgnoringCase(shownB.at(i));
        if (keyA != keyB) return keyA < keyB;
        if (nativeA[i] != nativeB[i]) return nativeA[i] < nativeB[i];
    }
    return nativeA.size() < nativeB.size();
}

}  // namespace

std::uint32_t Songs::AddFolder(std::string_view native, bool isWalking) {
    if (const auto known = FindFolder(native)) {
        folders_[*known].IsGone = false;
        return *known;
    }
    const auto index = static_cast<std::uint32_t>(folders_.size());
    folders_.push_back({std::string(native), Runtime::ReadablePath(native), index, false});
    // The walk lists folders in its own order; one found later takes its place among them.
    if (!isWalking) RankFolders();
    return index;
}

std::optional<std::uint32_t> Songs::FindFolder(std::string_view native) const {
    const auto found = std::find_if(folders_.begin(), folders_.end(),
                                    [native](const SongFolder& folder) { return folder.Native == native; });
    if (found == folders_.end()) return std::nullopt;
    return static_cast<std::uint32_t>(found - folders_.begin());
}

void Songs::RankFolders() {
    std::vector<std::uint32_t> order(folders_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [this](std::uint32_t a, std::uint32_t b) { return IsWalkedBefore(folders_[a], folders_[b]); });
    for (std::uint32_t rank = 0; rank < order.size(); ++rank) folders_[order[rank]].Rank = rank;
}

SongId Songs::Add(std::uint32_t folder, std::uint32_t place, const Runtime::FolderEntry& entry) {
    const auto id = static_cast<SongId>(songs_.size());
    Song& song = songs_.emplace_back();
    song.Name = entry.NativeName;
    if (entry.DisplayName != entry.NativeName) song.ShownName = entry.DisplayName;
    song.Folder = folder;
    song.Place = place;
    song.FoldedName = FoldForFilter(showsSubfolders_ ? ShownPath(id) : entry.DisplayName);
    return id;
}

bool Songs::Read(SongId id, MIDTitle::MidReading reading) {
    Song& song = songs_[id];
    const MIDTitle::MidInfo& info = reading.Info;
    if (song.Progress == Song::Stage::Gone) return false;
    if (song.Progress == Song::Stage::Read && song.HasTitle == reading.HasTitle && song.Text == info.Title &&
        song.Format == info.Format && song.Tracks == info.Tracks && song.Division == info.Resolution) {
        return false;
    }
    song.FoldedTitle = reading.HasTitle ? FoldForFilter(info.Title) : std::string();
    song.Text = std::move(reading.Info.Title);
    song.HasTitle = reading.HasTitle;
    song.Format = info.Format;
    song.Tracks = info.Tracks;
    song.Division = info.Resolution;
    song.Progress = Song::Stage::Read;
    return true;
}

void Songs::Remove(SongId id) {
    Song& song = songs_[id];
    song = Song{};
    song.Progress = Song::Stage::Gone;
}

std::string Songs::NativePath(SongId id) const {
    const Song& song = songs_[id];
    const std::string& folder = folders_[song.Folder].Native;
    return folder.empty() ? song.Name : Runtime::ChildPath(folder, song.Name);
}

std::string Songs::ShownPath(SongId id) const {
    const Song& song = songs_[id];
    const std::string& name = song.ShownName.empty() ? song.Name : song.ShownName;
    const std::string& folder = folders_[song.Folder].Shown;
    return folder.empty() ? name : Runtime::ChildPath(folder, name);
}

std::string Songs::CellText(SongId id, Column column) const {
    const Song& song = songs_[id];
    const bool isRead = song.Progress == Song::Stage::Read;
    switch (column) {
    case Column::Name:
        if (showsSubfolders_) return ShownPath(id);
        return song.ShownName.empty() ? song.Name : song.ShownName;
    case Column::Title: return isRead && song.HasTitle ? song.Text : std::string();
    case Column::Format: return isRead ? std::to_string(song.Format) : std::string();
    case Column::Tracks: return isRead ? std::to_string(song.Tracks) : std::string();
    case Column::Division: return isRead ? std::to_string(song.Division) : std::string();
    case Column::Status:
        if (!isRead) return std::string(Services::kStillReading);
        return song.HasTitle ? std::string() : song.Text;
    }
    return {};
}

}  // namespace TitleList
