#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "CatalogueFill.h"
#include "CatalogueRow.h"
#include "CatalogueView.h"
#include "ShownRows.h"
#include "Songs.h"

namespace TitleList {

// The title list (タイトル一覧), written once for both windows: the songs of
// the folder Form1 showed, one row a file, filled as the files are read
// off the window's thread, filtered, sorted, kept in step with the disk,
// copied and saved. A front end turns input into these calls and draws
// what the view is told. Everything runs on the window's thread.
class Catalogue {
public:
    Catalogue(CatalogueView& view, CatalogueLinks links);
    ~Catalogue();  // abandons what is still read
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Shows the songs of nativeFolder (absolute), reading them anew; what
    // was read for the folder before is abandoned.
    void Open(std::string_view nativeFolder);
    // The window closed: what is still read is abandoned, the rows go.
    void Close();
    // F5: everything read again.
    void Refresh();
    // サブフォルダーも含める: the folders below too, read anew.
    void IncludeSubfolders(bool isIncluded);
    // Something in nativeFolder changed on disk: a file created, removed,
    // renamed or written, or a folder. A watch of the whole tree may say
    // so of any folder below, one the list knows of or not.
    void FolderChanged(std::string_view nativeFolder);

    void Filter(std::string_view typed);
    // A header click: sorts by column, or the other way round when it is
    // the column sorted by already.
    void SortBy(Column column);
    // The person selected rows (in any order), the focus on current.
    void Select(std::span<const std::size_t> rows, std::optional<std::size_t> current);
    // The person scrolled: topRow is at the top, rowsOnScreen fit.
    void Scroll(std::size_t topRow, std::size_t rowsOnScreen);
    // Enter or a double-click: Form1 goes to that row's file.
    void Activate(std::size_t row);

    std::size_t RowCount() const { return table_ ? table_->rows.Count() : 0; }
    std::string CellText(std::size_t row, Column column) const;
    bool IncludesSubfolders() const { return includesSubfolders_; }
    // The folders listed and still there, absolute and native, for a watch
    // to follow: the one shown, and with subfolders each one below it.
    std::vector<std::string> Folders() const;

    // Ctrl+C: the rows selected as midtitle-cli's tsv, header line first.
    std::string SelectedRowsAsTsv() const;
    // The rows shown as `midtitle-cli --format csv --bom` writes them.
    std::string ShownRowsAsCsv() const;
    // CSVで保存…: writes ShownRowsAsCsv to nativePath, whole or not at all.
    std::optional<Runtime::RuntimeError> SaveShownRows(std::string_view nativePath) const;

private:
    struct Table {
        explicit Table(bool showsSubfolders) : songs(showsSubfolders), rows(songs) {}
        Songs songs;
        ShownRows rows;  // on songs
    };

    void StartFill();
    void Take(std::vector<FillEvent> events);
    void AddListed(Services::ListedFiles listed);
    void ChooseAgain(SongId id);
    void ApplyRelisting(FolderRelisted relisted);
    void RemoveFolder(std::string_view native);
    void RemoveSongs(std::vector<SongId> gone);
    void EndWalk();
    void ShowChanges();
    void ShowCount();
    void NoteAnchor();
    std::string Relative(std::string_view nativePath) const;
    std::string Absolute(std::string_view relative) const;
    std::string RowsText(RowFormat format, std::span<const SongId> ids) const;
    Services::FileToRead FileOf(SongId id) const;

    CatalogueView& view_;
    CatalogueLinks links_;
    std::string folder_;  // absolute, native; empty while closed
    bool includesSubfolders_ = false;
    std::string typed_;
    std::unique_ptr<Table> table_;
    std::unique_ptr<CatalogueFill> fill_;  // after table_: goes first, so nothing arrives for a table gone
    std::size_t found_ = 0;
    std::size_t unread_ = 0;
    std::size_t walks_ = 0;        // walks still listing
    bool hasWalkedShown_ = false;  // the walk of the folder shown has ended
    std::set<std::string> changed_;  // folders changed while a walk listed, to list once it ends
    // What the person chose, by song, so it holds through every change of rows.
    std::vector<bool> selected_;
    std::optional<SongId> current_;
    std::size_t top_ = 0;
    std::size_t rowsOnScreen_ = 0;
    std::optional<SongId> anchor_;  // the song that keeps its place on screen
    std::size_t anchorOffset_ = 0;  // rows between it and the top
    // The same, by path below the folder, through a fill that reads the
    // folder again (F5, サブフォルダーも含める): chosen again as each arrives.
    struct Chosen {
        std::set<std::string> selected;
        std::string current;
        std::string anchor;
    } chosenBefore_;
};

}  // namespace TitleList
