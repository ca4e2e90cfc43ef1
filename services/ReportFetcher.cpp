#include "ReportFetcher.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <utility>

#include "PathChain.h"

namespace Services {

namespace {

std::string NativePathOf(const SelectedFile& file) { return Runtime::ChildPath(file.NativeFolder, file.Entry.NativeName); }

std::string FirstLineOf(const SelectedFile& file) {
    return "ファイル名－ " + Runtime::ChildPath(file.ReadableFolder, file.Entry.DisplayName) + "\r\n";
}

}  // namespace

struct ReportFetcher::State {
    using Clock = std::chrono::steady_clock;

    std::mutex mutex;
    std::condition_variable arrived;
    std::optional<SelectedFile> selected;
    std::string selectedPath;            // native, the key reads are known by
    std::set<std::string> reading;       // native paths being read now
    std::uint64_t lastTicket = 0;
    std::uint64_t waiting = 0;           // the request waiting within its patience; 0: none
    std::optional<std::string> handed;   // its report, handed over by the worker
    std::optional<Clock::time_point> awaitedSince;
    // The file whose last read outlasted its patience: the window does not
    // wait for it again until a read of it is quick once more.
    std::string slowPath;
    const ReadReport read;
    std::function<void(std::string)> onReport;  // touched on the window's thread only

    explicit State(ReadReport reader) : read(std::move(reader)) {}

    // On a worker: the read itself, unless that file is being read already.
    Delivery Read(const SelectedFile& file, const std::string& path, std::uint64_t ticket,
                  std::chrono::milliseconds quick, const std::shared_ptr<State>& self) {
        {
            const std::lock_guard lock(mutex);
            if (!reading.insert(path).second) return {};
        }
        const auto start = Clock::now();
        std::optional<std::string> report;
        try {
            report = read(file);
        } catch (...) {
            // Out of memory while composing: no report, the next trigger tries again.
        }
        const std::lock_guard lock(mutex);
        reading.erase(path);
        if (slowPath == path && Clock::now() - start < quick) slowPath.clear();
        if (!report) return {};
        if (waiting == ticket) {
            handed = std::move(report);
            arrived.notify_all();
            return {};
        }
        return [self, path, report = std::move(*report)] { self->Deliver(path, report); };
    }

    // On the window's thread.
    void Deliver(const std::string& path, const std::string& report) {
        {
            const std::lock_guard lock(mutex);
            if (!selected || selectedPath != path) return;
            awaitedSince.reset();
        }
        if (onReport) onReport(report);
    }
};

ReportFetcher::ReportFetcher(BackgroundWork& work, std::function<void(std::string)> onReport, ReadReport read)
    : work_(work), lane_(work.NewLane()), state_(std::make_shared<State>(std::move(read))) {
    state_->onReport = std::move(onReport);
}

ReportFetcher::~ReportFetcher() { state_->onReport = nullptr; }

std::optional<std::string> ReportFetcher::Request(const SelectedFile& file, std::chrono::milliseconds patience) {
    std::string path = NativePathOf(file);
    std::unique_lock lock(state_->mutex);
    if (!state_->awaitedSince || state_->selectedPath != path) state_->awaitedSince = State::Clock::now();
    state_->selected = file;
    state_->selectedPath = path;
    // The read under way answers this request too.
    if (state_->reading.contains(path)) return std::nullopt;
    const std::chrono::milliseconds quick = patience;
    if (state_->slowPath == path) patience = std::chrono::milliseconds(0);
    const std::uint64_t ticket = ++state_->lastTicket;
    state_->waiting = patience.count() > 0 ? ticket : 0;
    state_->handed.reset();
    lock.unlock();
    work_.Run(lane_, [state = state_, file, path, ticket, quick] { return state->Read(file, path, ticket, quick, state); });
    lock.lock();
    state_->arrived.wait_for(lock, patience, [&] { return state_->handed.has_value(); });
    state_->waiting = 0;
    if (!state_->handed) {
        if (patience.count() > 0) state_->slowPath = path;
        return std::nullopt;
    }
    state_->awaitedSince.reset();
    return std::exchange(state_->handed, std::nullopt);
}

void ReportFetcher::Deselect() {
    const std::lock_guard lock(state_->mutex);
    state_->selected.reset();
    state_->selectedPath.clear();
    state_->awaitedSince.reset();
}

std::optional<std::chrono::milliseconds> ReportFetcher::TimeAwaited() const {
    const std::lock_guard lock(state_->mutex);
    if (!state_->awaitedSince) return std::nullopt;
    return std::chrono::duration_cast<std::chrono::milliseconds>(State::Clock::now() - *state_->awaitedSince);
}

std::optional<std::string> ReportFetcher::WaitingText(std::string_view shown) const {
    const std::lock_guard lock(state_->mutex);
    if (!state_->awaitedSince || !state_->selected) return std::nullopt;
    std::string firstLine = FirstLineOf(*state_->selected);
    if (shown.starts_with(firstLine)) return std::nullopt;
    return firstLine + "\r\n読み込み中…";
}

}  // namespace Services
