#include "DriveChoice.h"

#include <utility>

#include "FolderContents.h"
#include "PathChain.h"
#include "ReadableName.h"

namespace Window {

namespace {

bool IsSameRoot(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string DriveText(const Runtime::Volume& volume) {
    std::string text = Runtime::ReadablePath(volume.MountPoint);
    // "C:\" reads "C:", as Explorer names drives; "/" stays.
    if (text.size() > 1 && (text.back() == '\\' || text.back() == '/')) text.pop_back();
    if (!volume.Label.empty()) text += " [" + volume.Label + "]";
    return text;
}

DriveChoice::DriveChoice(Services::WindowPoster poster, DriveView& view, std::chrono::milliseconds patience,
                         ReadVolumes read)
    : view_(view),
      read_(std::move(read)),
      work_(std::make_unique<Services::BackgroundWork>(std::move(poster), 1)),
      volumesRead_(std::make_unique<Services::NewestWins<std::vector<Runtime::Volume>>>(
          *work_, [this](std::vector<Runtime::Volume> volumes) {
              if (SetVolumes(std::move(volumes)) && driveGone) driveGone();
          })) {
    auto volumes = volumesRead_->Request(read_, patience);
    SetVolumes(volumes ? std::move(*volumes) : std::vector<Runtime::Volume>());
}

DriveChoice::~DriveChoice() = default;

const std::string& DriveChoice::NativeDrive() const { return volumes_[static_cast<std::size_t>(current_)].MountPoint; }

void DriveChoice::ShowDriveOf(std::string_view path) {
    // The deepest mount point that holds path.
    std::size_t found = volumes_.size();
    for (std::size_t i = 0; i < volumes_.size(); ++i) {
        const std::string& point = volumes_[i].MountPoint;
        if (Runtime::IsSameOrUnder(path, point) && (found == volumes_.size() || point.size() > volumes_[found].MountPoint.size()))
            found = i;
    }
    if (found == volumes_.size()) {
        const std::string root = Runtime::RootOf(path);
        for (found = 0; found < volumes_.size() && !IsSameRoot(volumes_[found].MountPoint, root); ++found) {
        }
    }
    if (found < volumes_.size()) current_ = static_cast<int>(found);
    view_.ShowDrive(current_);
}

bool DriveChoice::Settle(int index) {
    if (index < 0 || index >= static_cast<int>(volumes_.size()) || index == current_) return false;
    current_ = index;
    failed_ = -1;
    return true;
}

void DriveChoice::ReturnTo(std::string_view path) {
    const int failed = current_;
    ShowDriveOf(path);
    if (current_ != failed) failed_ = failed;
}

int DriveChoice::Step(int shown, const std::function<int(int from)>& step) const {
    if (failed_ < 0) return step(shown);
    const int landed = step(failed_);
    return landed == failed_ ? shown : landed;
}

bool DriveChoice::ReadAgain(std::chrono::milliseconds patience) {
    if (!volumesRead_) return false;
    auto volumes = volumesRead_->Request(read_, patience);
    return volumes && SetVolumes(std::move(*volumes));
}

bool DriveChoice::SetVolumes(std::vector<Runtime::Volume> volumes) {
    if (volumes.empty()) volumes.push_back(Runtime::Volume{Runtime::RootFolder(), {}, {}, {}, {}});
    const std::string current = volumes_.empty() ? std::string() : NativeDrive();
    int keep = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (volumes[i].MountPoint == current) keep = static_cast<int>(i);
    }
    volumes_ = std::move(volumes);
    current_ = keep;
    failed_ = -1;
    view_.ShowVolumes(volumes_);
    view_.ShowDrive(current_);
    return !current.empty() && NativeDrive() != current;
}

void DriveChoice::StopReading() noexcept {
    volumesRead_.reset();
    work_.reset();
}

}  // namespace Window
