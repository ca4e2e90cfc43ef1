#include "CollectionWalk.h"

#include <algorithm>
#include <filesystem>

#include "GivenPath.h"
#include "LineEnd.h"
#include "PrintableName.h"
#include "Report.h"

namespace Cli {

CollectionWalk::CollectionWalk(const Options& options, ResultWriter& writer, ReadingPool& pool, Progress& progress,
                               std::ostream& err, FolderReader readFolder)
    : options_(options), pattern_(options.pattern), writer_(writer), pool_(pool), progress_(progress), err_(err),
      readFolder_(std::move(readFolder)) {}

void CollectionWalk::WalkNamedPath(const std::string& path) {
    // Any path printed is taken back; reports show full paths, as the
    // window does: those of the files the system reads for the path given.
    const std::string native = Runtime::NativePathOfPrinted(path);
    std::string absolute;
    std::optional<Runtime::FolderFacts> folder;
    try {
        absolute = Runtime::AbsolutePathAsOpened(native);
        folder = Runtime::LookUpFolder(absolute);
    } catch (const Runtime::RuntimeError& error) {
        return TellFailure(native, error);
    }
    if (!folder) {
        // A named file is read whatever its name: the pattern picks files
        // out of folders, and a broken or odd file gets its report too.
        progress_.FilesFound(1);
        writer_.Write(Runtime::PrintablePath(absolute), MIDTitle::ReadMidInfo(Runtime::PathFromNative(absolute)));
        progress_.FileRead();
        hasStopped_ = !writer_.IsWritable();
        return;
    }
    ancestors_.assign(1, folder->Identity);
    WalkFolder(absolute);
}

void CollectionWalk::WalkFolder(const std::string& folder) {
    Runtime::FolderContents contents;
    try {
        contents = readFolder_(folder, pattern_);
    } catch (const Runtime::RuntimeError& error) {
        return TellFailure(folder, error);
    }
    ReadFiles(folder, contents.Files);
    if (!options_.recursive) return;
    contents.Files = {};  // the subfolders need only their own lists

    for (const Runtime::DirectoryEntry& entry : contents.Folders) {
        if (hasStopped_) return;
        const std::string child = JoinFullPath(folder, entry.NativeName);
        std::optional<Runtime::FolderFacts> facts;
        try {
            facts = Runtime::LookUpFolder(child);
        } catch (const Runtime::RuntimeError& error) {
            TellFailure(child, error);
            continue;
        }
        // Gone or turned into a file since the listing; or a link not to be
        // followed; or a folder above this one, reached again.
        if (!facts || (facts->IsLink && !options_.followLinks)) continue;
        if (std::find(ancestors_.begin(), ancestors_.end(), facts->Identity) != ancestors_.end()) continue;
        ancestors_.push_back(facts->Identity);
        WalkFolder(child);
        ancestors_.pop_back();
    }
}

void CollectionWalk::ReadFiles(const std::string& folder, const std::vector<Runtime::DirectoryEntry>& files) {
    progress_.FilesFound(files.size());
    std::vector<std::filesystem::path> paths;
    paths.reserve(files.size());
    for (const Runtime::DirectoryEntry& file : files) {
        paths.push_back(Runtime::PathFromNative(JoinFullPath(folder, file.NativeName)));
    }

    std::string shownPath = JoinFullPath(Runtime::PrintablePath(folder), "");
    const std::size_t folderLength = shownPath.size();
    const bool isWanted = pool_.ReadInOrder(paths, [&](std::size_t index, const MIDTitle::MidReading& reading) {
        shownPath.resize(folderLength);
        shownPath += Runtime::PrintablePath(files[index].NativeName);
        writer_.Write(shownPath, reading);
        progress_.FileRead();
        return writer_.IsWritable();
    });
    hasStopped_ = !isWanted;
}

void CollectionWalk::TellFailure(std::string_view nativePath, const Runtime::RuntimeError& error) {
    hasFailed_ = true;
    progress_.Clear();
    err_ << "midtitle-cli: " << Runtime::PrintablePath(nativePath) << ": " << error.Message() << kLineEnd << std::flush;
}

}  // namespace Cli
