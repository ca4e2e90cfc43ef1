#include "FolderWalk.h"

#include <algorithm>
#include <optional>

#include "GivenPath.h"
#include "PathChain.h"
#include "PathSeparator.h"
#include "ReadableName.h"

namespace Services {

Runtime::FolderContents ReadWalkedFolder(std::string_view folder, const Runtime::NamePattern& pattern) {
    return Runtime::ReadFolder(folder, pattern);
}

FolderWalk::FolderWalk(WalkRules rules, Sinks sinks, FolderLister list)
    : rules_(std::move(rules)), sinks_(std::move(sinks)), list_(std::move(list)) {}

bool FolderWalk::Walk(std::string_view path) {
    std::string absolute;
    std::optional<Runtime::FolderFacts> folder;
    try {
        absolute = Runtime::AbsolutePathAsOpened(path);
        folder = Runtime::LookUpFolder(absolute);
    } catch (const Runtime::RuntimeError& error) {
        sinks_.failed(path, error);
        return true;
    }
    if (!folder) {
        // A named file is read whatever its name: the pattern picks files
        // out of folders, and a broken or odd file gets its report too.
        const std::size_t separator = absolute.rfind(Runtime::kPathSeparator);
        std::string name = absolute.substr(separator + 1);
        Runtime::FolderEntry entry{name, Runtime::ReadableName(name)};
        return sinks_.listed({Runtime::ParentFolder(absolute).value_or(absolute), {std::move(entry)}, true});
    }
    ancestors_.assign(1, folder->Identity);
    hasStopped_ = false;
    return WalkFolder(absolute);
}

bool FolderWalk::WalkSubfolder(const std::string& folder) {
    std::optional<Runtime::FolderFacts> facts;
    try {
        facts = Runtime::LookUpFolder(folder);
    } catch (const Runtime::RuntimeError& error) {
        sinks_.failed(folder, error);
        return true;
    }
    if (!facts || (facts->IsLink && !rules_.FollowsLinks)) return true;
    ancestors_.assign(1, facts->Identity);
    hasStopped_ = false;
    return WalkFolder(folder);
}

bool FolderWalk::WalkFolder(const std::string& folder) {
    Runtime::FolderContents contents;
    try {
        contents = list_(folder, rules_.Pattern);
    } catch (const Runtime::RuntimeError& error) {
        sinks_.failed(folder, error);
        return true;
    }
    hasStopped_ = !sinks_.listed({folder, std::move(contents.Files), false});
    if (!rules_.IncludesSubfolders) return !hasStopped_;

    for (const Runtime::FolderEntry& entry : contents.Folders) {
        if (hasStopped_) return false;
        const std::string child = Runtime::ChildPath(folder, entry.NativeName);
        std::optional<Runtime::FolderFacts> facts;
        try {
            facts = Runtime::LookUpFolder(child);
        } catch (const Runtime::RuntimeError& error) {
            sinks_.failed(child, error);
            continue;
        }
        // Gone or turned into a file since the listing; or a link not to be
        // followed; or a folder above this one, reached again.
        if (!facts || (facts->IsLink && !rules_.FollowsLinks)) continue;
        if (std::find(ancestors_.begin(), ancestors_.end(), facts->Identity) != ancestors_.end()) continue;
        ancestors_.push_back(facts->Identity);
        WalkFolder(child);
        ancestors_.pop_back();
    }
    return !hasStopped_;
}

}  // namespace Services
