#include "FolderReader.h"

#include <new>

namespace Services {

FolderListing ListFolder(const std::string& folder, const Runtime::NamePattern& pattern,
                         Runtime::ListedKinds kinds) noexcept {
    FolderListing listing;
    try {
        listing.Folder = folder;
        listing.Contents = Runtime::ReadFolder(folder, pattern, kinds);
    } catch (const Runtime::RuntimeError& error) {
        listing.Contents = {};
        listing.Failure = error;
    } catch (const std::bad_alloc&) {
        listing.Contents = {};
        try {
            listing.Failure = Runtime::MakeError(Runtime::kOutOfMemory);
        } catch (const std::bad_alloc&) {
            listing.Failure = Runtime::RuntimeError{Runtime::kOutOfMemory, {}};  // a bare number
        }
    }
    return listing;
}

FolderReader::FolderReader(WindowPoster poster, std::function<void(FolderListing)> deliver)
    // Two workers: a listing that hangs still leaves one for the next folder.
    : work_(std::move(poster), 2), newest_(work_, std::move(deliver)) {}

std::optional<FolderListing> FolderReader::Request(const std::string& folder, const Runtime::NamePattern& pattern,
                                                   Runtime::ListedKinds kinds, std::chrono::milliseconds patience) {
    return newest_.Request([folder, pattern, kinds] { return ListFolder(folder, pattern, kinds); }, patience);
}

}  // namespace Services
