#include "ReportFetcher.h"

#include <mutex>
#include <utility>

#include "PathChain.h"
#include "WindowText.h"

namespace Services {

namespace {

std::string NativePathOf(const SelectedFile& file) { return Runtime::ChildPath(file.NativeFolder, file.Entry.NativeName); }

std::string FirstLineOf(const SelectedFile& file) {
    return "ファイル名－ " + Runtime::ChildPath(file.ReadableFolder, file.Entry.DisplayName) + "\r\n";
}

}  // namespace

// What the reads on the workers share with the window.
struct ReportFetcher::Reading {
    explicit Reading(ReadReport reader) : read(std::move(reader)) {}

    // On a worker. Nothing when the read failed (out of memory while
    // composing): the next trigger tries again.
    std::optional<std::string> Read(const SelectedFile& file, const std::string& path, std::chrono::milliseconds quick) {
        const auto start = Clock::now();
        std::optional<std::string> report;
        try {
            report = read(file);
        } catch (...) {
        }
        const std::lock_guard lock(mutex);
        if (slowPath == path && Clock::now() - start < quick) slowPath.clear();
        return report;
    }

    const ReadReport read;
    std::mutex mutex;
    // The file whose last read outlasted its patience: the window does not
    // wait for it again until a read of it is quick once more.
    std::string slowPath;
};

ReportFetcher::ReportFetcher(BackgroundWork& work, std::function<void(std::string)> onReport, ReadReport read)
    : reading_(std::make_shared<Reading>(std::move(read))),
      onReport_(std::move(onReport)),
      newest_(work, [this](std::optional<std::string> report) {
          if (!report) return;
          awaitedSince_.reset();
          if (onReport_) onReport_(std::move(*report));
      }) {}

ReportFetcher::~ReportFetcher() = default;

std::optional<std::string> ReportFetcher::Request(const SelectedFile& file, std::chrono::milliseconds patience) {
    std::string path = NativePathOf(file);
    if (!awaitedSince_ || !selected_ || NativePathOf(*selected_) != path) awaitedSince_ = Clock::now();
    selected_ = file;
    // The read under way answers this request too.
    if (newest_.Resume(path)) return std::nullopt;
    const std::chrono::milliseconds quick = patience;
    {
        const std::lock_guard lock(reading_->mutex);
        if (reading_->slowPath == path) patience = std::chrono::milliseconds(0);
    }
    auto report = newest_.Request([reading = reading_, file, path, quick] { return reading->Read(file, path, quick); },
                                  patience, path);
    if (!report || !*report) {
        const std::lock_guard lock(reading_->mutex);
        if (patience.count() > 0) reading_->slowPath = path;
        return std::nullopt;
    }
    awaitedSince_.reset();
    return std::move(*report);
}

void ReportFetcher::Deselect() {
    newest_.Abandon();
    selected_.reset();
    awaitedSince_.reset();
}

std::optional<std::chrono::milliseconds> ReportFetcher::TimeAwaited() const {
    if (!awaitedSince_) return std::nullopt;
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *awaitedSince_);
}

std::optional<std::string> ReportFetcher::WaitingText(std::string_view shown) const {
    if (!awaitedSince_ || !selected_) return std::nullopt;
    std::string firstLine = FirstLineOf(*selected_);
    if (shown.starts_with(firstLine)) return std::nullopt;
    return firstLine + "\r\n" + std::string(kStillReading);
}

}  // namespace Services
