// What the fill's work finds, taken in on the window's thread: songs
// listed and read, walks ended, folders listed again after a change.
#include <algorithm>
#include <map>

#include "Catalogue.h"
#include "PathChain.h"
#include "PathText.h"

namespace TitleList {

void Catalogue::Take(std::vector<FillEvent> events) {
    std::vector<SongId> shown;    // songs come to be shown
    std::vector<SongId> changed;  // songs shown whose texts changed
    std::optional<Runtime::RuntimeError> failure;
    Songs& songs = table_->songs;
    for (FillEvent& event : events) {
        if (auto* listed = std::get_if<FilesListed>(&event)) {
            AddListed(std::move(listed->files));
        } else if (auto* read = std::get_if<SongRead>(&event)) {
            const bool wasShown = songs[read->id].IsShown();
            const bool wasUnread = songs[read->id].IsUnread();
            if (songs.Read(read->id, std::move(read->reading))) (wasShown ? changed : shown).push_back(read->id);
            if (wasUnread) --unread_;
        } else if (auto* slow = std::get_if<SongSlow>(&event)) {
            if (songs[slow->id].Progress != Song::Stage::Listed) continue;
            songs.NoteSlow(slow->id);
            shown.push_back(slow->id);
        } else if (std::holds_alternative<WalkEnded>(event)) {
            EndWalk();
        } else if (auto* failed = std::get_if<FolderFailed>(&event)) {
            failure = failed->error;
        } else {
            ApplyRelisting(std::move(std::get<FolderRelisted>(event)));
        }
    }
    table_->rows.Reorder(std::move(changed));
    table_->rows.Insert(std::move(shown));
    ShowChanges();
    // Last: a message box may run the window's events, this window's closing among them.
    if (failure) view_.ShowFailure(*failure);
}

void Catalogue::AddListed(Services::ListedFiles listed) {
    Songs& songs = table_->songs;
    const std::uint32_t folder = songs.AddFolder(Relative(listed.Folder), !hasWalkedShown_);
    std::vector<Services::FileToRead> files;
    files.reserve(listed.Files.size());
    for (std::size_t place = 0; place < listed.Files.size(); ++place) {
        const SongId id = songs.Add(folder, static_cast<std::uint32_t>(place), listed.Files[place]);
        files.push_back({id, Runtime::PathFromNative(Runtime::ChildPath(listed.Folder, listed.Files[place].NativeName)), false});
        ChooseAgain(id);
    }
    found_ += files.size();
    unread_ += files.size();
    fill_->Read(std::move(files));
}

void Catalogue::ChooseAgain(SongId id) {
    Chosen& before = chosenBefore_;
    if (before.selected.empty() && before.current.empty() && before.anchor.empty()) return;
    const std::string path = table_->songs.NativePath(id);
    if (before.selected.erase(path) > 0) {
        if (selected_.size() <= id) selected_.resize(table_->songs.Count());
        selected_[id] = true;
    }
    if (path == before.current) current_ = id;
    if (path == before.anchor) anchor_ = id;
}

void Catalogue::EndWalk() {
    if (--walks_ > 0) return;
    hasWalkedShown_ = true;
    for (const std::string& folder : std::exchange(changed_, {})) fill_->Relist(folder);
}

void Catalogue::FolderChanged(std::string_view nativeFolder) {
    if (!fill_ || !Runtime::IsSameOrUnder(nativeFolder, folder_)) return;
    if (!includesSubfolders_ && nativeFolder != folder_) return;
    // A folder the list does not know of yet is found by listing the
    // nearest one above that it knows.
    std::string folder(nativeFolder);
    while (folder != folder_) {
        const auto known = table_->songs.FindFolder(Relative(folder));
        if (known && !table_->songs.Folders()[*known].IsGone) break;
        folder = Runtime::ParentFolder(folder).value_or(folder_);
    }
    if (walks_ > 0) changed_.insert(folder);
    else fill_->Relist(folder);
}

void Catalogue::ApplyRelisting(FolderRelisted relisted) {
    // A walk still listing may reach the same folders: their listing waits for it to end.
    if (walks_ > 0) {
        changed_.insert(relisted.folder);
        return;
    }
    Songs& songs = table_->songs;
    const std::string relative = Relative(relisted.folder);
    const auto folder = songs.FindFolder(relative);
    if (!folder || songs.Folders()[*folder].IsGone) return;
    if (relisted.isGone) return RemoveFolder(relative);

    std::map<std::string, SongId, std::less<>> known;
    for (SongId id = 0; id < songs.Count(); ++id) {
        if (songs[id].Folder == *folder && songs[id].Progress != Song::Stage::Gone) known.emplace(songs[id].Name, id);
    }
    // Every file read again: one whose name stayed may have a new title.
    std::vector<Services::FileToRead> files;
    const std::vector<Runtime::FolderEntry>& listed = relisted.contents.Files;
    for (std::size_t place = 0; place < listed.size(); ++place) {
        const auto at = known.find(listed[place].NativeName);
        SongId id = 0;
        if (at != known.end()) {
            id = at->second;
            known.erase(at);
            songs.MoveTo(id, static_cast<std::uint32_t>(place));
        } else {
            id = songs.Add(*folder, static_cast<std::uint32_t>(place), listed[place]);
            ++found_;
            ++unread_;
        }
        files.push_back(FileOf(id));
    }
    std::vector<SongId> gone;
    for (const auto& [name, id] : known) gone.push_back(id);
    RemoveSongs(std::move(gone));
    fill_->Read(std::move(files));
    if (!includesSubfolders_) return;

    std::vector<std::string> below;  // the folders the list knows right below this one
    for (const SongFolder& known : songs.Folders()) {
        if (!known.IsGone && !known.Native.empty() && Runtime::ParentFolder(Absolute(known.Native)) == relisted.folder) {
            below.push_back(known.Native);
        }
    }
    for (const Runtime::FolderEntry& entry : relisted.contents.Folders) {
        const std::string child = relative.empty() ? entry.NativeName : Runtime::ChildPath(relative, entry.NativeName);
        if (const auto at = std::find(below.begin(), below.end(), child); at != below.end()) {
            below.erase(at);
            continue;
        }
        ++walks_;
        fill_->Walk(Absolute(child), false);
    }
    for (const std::string& gone : below) RemoveFolder(gone);
}

void Catalogue::RemoveFolder(std::string_view native) {
    Songs& songs = table_->songs;
    const std::string absolute = Absolute(native);
    std::vector<bool> isRemoved(songs.Folders().size());
    for (std::uint32_t folder = 0; folder < songs.Folders().size(); ++folder) {
        if (!Runtime::IsSameOrUnder(Absolute(songs.Folders()[folder].Native), absolute)) continue;
        isRemoved[folder] = true;
        songs.RemoveFolder(folder);
    }
    std::vector<SongId> gone;
    for (SongId id = 0; id < songs.Count(); ++id) {
        if (songs[id].Progress != Song::Stage::Gone && isRemoved[songs[id].Folder]) gone.push_back(id);
    }
    RemoveSongs(std::move(gone));
}

void Catalogue::RemoveSongs(std::vector<SongId> gone) {
    Songs& songs = table_->songs;
    table_->rows.Remove(gone);
    for (const SongId id : gone) {
        if (songs[id].IsUnread()) --unread_;
        --found_;
        songs.Remove(id);
    }
}

}  // namespace TitleList
