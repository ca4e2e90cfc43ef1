#include "OrderedOutput.h"

#include "LineEnd.h"
#include "PathChain.h"
#include "PrintableName.h"

namespace Cli {

OrderedOutput::OrderedOutput(ResultWriter& writer, Progress& progress, std::ostream& err)
    : writer_(writer), progress_(progress), err_(err) {}

std::vector<Services::FileToRead> OrderedOutput::Add(Services::ListedFiles listed) {
    Folder folder{0, Runtime::ChildPath(Runtime::PrintablePath(listed.Folder), ""), {}};
    std::vector<Services::FileToRead> files;
    files.reserve(listed.Files.size());
    folder.names.reserve(listed.Files.size());
    const std::lock_guard lock(mutex_);
    folder.firstId = added_;
    for (Runtime::FolderEntry& file : listed.Files) {
        files.push_back({added_++, Runtime::PathFromNative(Runtime::ChildPath(listed.Folder, file.NativeName)), listed.IsNamed});
        folder.names.push_back(std::move(file.NativeName));
    }
    progress_.FilesFound(files.size());
    if (!files.empty()) folders_.push_back(std::move(folder));
    return files;
}

bool OrderedOutput::Deliver(std::uint64_t id, MIDTitle::MidReading reading) {
    const std::lock_guard lock(mutex_);
    if (hasStopped_) return false;
    try {
        const std::size_t place = id - writtenCount_;
        if (place > 0) {
            if (early_.size() <= place) early_.resize(place + 1);
            early_[place] = std::move(reading);
            return true;
        }
        WriteInTurn(std::move(reading));
        while (!hasStopped_ && !early_.empty() && early_.front()) WriteInTurn(std::move(*early_.front()));
    } catch (...) {
        // Printing a name wants code page 932, or memory ran out: the run
        // ends, and the walk's thread tells why.
        thrown_ = std::current_exception();
        hasStopped_ = true;
    }
    if (awaited_ && (hasStopped_ || added_ - writtenCount_ <= *awaited_ || writtenCount_ == 1)) written_.notify_one();
    return !hasStopped_;
}

void OrderedOutput::WriteInTurn(MIDTitle::MidReading reading) {
    Folder& folder = folders_.front();
    path_.assign(folder.printed);
    path_ += Runtime::PrintablePath(folder.names[writtenCount_ - folder.firstId]);
    writer_.Write(path_, reading);
    progress_.FileRead();
    if (!early_.empty()) early_.pop_front();
    if (++writtenCount_ == folder.firstId + folder.names.size()) folders_.pop_front();
    hasStopped_ = !writer_.IsWritable();
}

void OrderedOutput::WaitUntilWritten(std::size_t ahead) {
    std::unique_lock lock(mutex_);
    awaited_ = ahead;
    // Nothing more is listed until the output has taken its first row: an
    // output that takes none stops the walk before it goes further.
    written_.wait(lock, [&] {
        return hasStopped_ || (added_ - writtenCount_ <= ahead && (writtenCount_ > 0 || added_ == 0));
    });
    awaited_.reset();
}

void OrderedOutput::TellFailure(std::string_view nativePath, const Runtime::RuntimeError& error) {
    const std::lock_guard lock(mutex_);
    hasFailed_ = true;
    progress_.Clear();
    err_ << "midtitle-cli: " << Runtime::PrintablePath(nativePath) << ": " << error.Message() << kLineEnd << std::flush;
}

bool OrderedOutput::HasStopped() const {
    const std::lock_guard lock(mutex_);
    return hasStopped_;
}

bool OrderedOutput::HasFailed() const {
    const std::lock_guard lock(mutex_);
    return hasFailed_;
}

void OrderedOutput::RethrowOnCaller() const {
    const std::lock_guard lock(mutex_);
    if (thrown_) std::rethrow_exception(thrown_);
}

}  // namespace Cli
