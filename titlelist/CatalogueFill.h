#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "BackgroundWork.h"
#include "FolderWalk.h"
#include "ReadingPool.h"
#include "ReportFetcher.h"
#include "Songs.h"
#include "WindowBatches.h"

namespace TitleList {

// What the title list takes from the world: the window's thread, the way
// back to Form1, and the disk (stand-ins in tests).
struct CatalogueLinks {
    Services::WindowPoster Poster;
    // Enter or a double-click on a row: Form1 goes to that file.
    std::function<void(const Services::SelectedFile&)> ShowInForm1;
    unsigned ReadsAtOnce = 0;  // 0: as midtitle-cli reads by default on this machine
    Services::FileReader Reader = Services::ReadFile;
    Services::FolderLister Lister = Services::ReadWalkedFolder;
};

// What a fill's work sends to the window's thread.
struct FilesListed {
    Services::ListedFiles files;
};
struct SongRead {
    SongId id;
    MIDTitle::MidReading reading;
};
struct SongSlow {
    SongId id;
};
struct WalkEnded {};
struct FolderFailed {  // the folder shown could not be read
    Runtime::RuntimeError error;
};
struct FolderRelisted {
    std::string folder;  // absolute, native
    Runtime::FolderContents contents;
    bool isGone = false;  // could not be listed: gone, or no longer open to us
};
using FillEvent = std::variant<FilesListed, SongRead, SongSlow, WalkEnded, FolderFailed, FolderRelisted>;

// The work of one fill off the window's thread: its walks and listings on
// workers of their own, its reads on a pool of their own, and what they
// find sent to the window's thread in batches. Destroying it abandons it
// all: nothing more arrives, no file not started is read, and a read or
// listing that hangs is left to end on its own.
class CatalogueFill {
public:
    CatalogueFill(const CatalogueLinks& links, bool includesSubfolders,
                  std::function<void(std::vector<FillEvent>)> take);

    // Walks the folder shown, or a folder a listing found below it; sends
    // WalkEnded when done.
    void Walk(const std::string& folder, bool isShown);
    // Lists one folder again, after a change on disk.
    void Relist(const std::string& folder);
    void Read(std::vector<Services::FileToRead> files) { pool_.Add(std::move(files)); }

private:
    Services::WindowBatches<FillEvent> batches_;  // first: closed last, once nothing else runs here
    std::function<bool(FillEvent)> send_;
    Services::WalkRules rules_;
    Services::FolderLister lister_;
    Services::BackgroundWork work_;
    Services::ReadingPool pool_;
};

}  // namespace TitleList
