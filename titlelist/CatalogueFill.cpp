#include "CatalogueFill.h"

#include <thread>

namespace TitleList {

namespace {

// A walk, and listings after changes: one that hangs leaves the others going.
constexpr std::size_t kListingWorkers = 4;

unsigned ReadsAtOnce(unsigned asked) {
    return asked != 0 ? asked : Services::DefaultReadsAtOnce(std::thread::hardware_concurrency());
}

}  // namespace

CatalogueFill::CatalogueFill(const CatalogueLinks& links, bool includesSubfolders,
                             std::function<void(std::vector<FillEvent>)> take)
    : batches_(links.Poster, std::move(take)),
      send_(batches_.Sender()),
      rules_{Runtime::NamePattern(Services::kFilePattern), includesSubfolders, false},
      lister_(links.Lister),
      work_(links.Poster, kListingWorkers),
      pool_(ReadsAtOnce(links.ReadsAtOnce),
            {[send = send_](std::uint64_t id, MIDTitle::MidReading reading) {
                 return send(SongRead{static_cast<SongId>(id), std::move(reading)});
             },
             [send = send_](std::uint64_t id) { send(SongSlow{static_cast<SongId>(id)}); }},
            links.Reader) {}

void CatalogueFill::Walk(const std::string& folder, bool isShown) {
    work_.Run(work_.NewLane(), [send = send_, rules = rules_, lister = lister_, folder, isShown] {
        const auto listed = [&send](Services::ListedFiles files) { return send(FilesListed{std::move(files)}); };
        const auto failed = [&](std::string_view path, const Runtime::RuntimeError& error) {
            // Folders below that cannot be read are left out, as Form1's lists
            // leave them. A folder that is not there is a path not found, as
            // a listing says, though a file would be a file not found.
            if (!isShown || path != folder) return;
            send(FolderFailed{error.Number == Runtime::kFileNotFound ? Runtime::MakeError(Runtime::kPathNotFound) : error});
        };
        Services::FolderWalk walk(rules, {listed, failed}, lister);
        if (isShown) walk.Walk(folder);
        else walk.WalkSubfolder(folder);
        send(WalkEnded{});
        return Services::Delivery();
    });
}

void CatalogueFill::Relist(const std::string& folder) {
    work_.Run(work_.NewLane(), [send = send_, pattern = rules_.Pattern, lister = lister_, folder] {
        FolderRelisted relisted{folder, {}, false};
        try {
            relisted.contents = lister(folder, pattern);
        } catch (const Runtime::RuntimeError&) {
            relisted.isGone = true;
        }
        send(std::move(relisted));
        return Services::Delivery();
    });
}

}  // namespace TitleList
