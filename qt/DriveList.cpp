#include "DriveList.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <chrono>

#include "BackgroundWork.h"
#include "NewestWins.h"
#include "Patience.h"
#include "ReadableName.h"
#include "WindowPoster.h"

namespace {

QString VolumeText(const Runtime::Volume& volume) {
    QString text = QString::fromStdString(Runtime::ReadablePath(volume.MountPoint));
    if (!volume.Label.empty()) text += QStringLiteral(" [%1]").arg(QString::fromStdString(volume.Label));
    return text;
}

}  // namespace

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent),
      work_(std::make_unique<Services::BackgroundWork>(PosterFor(this), 1)),
      volumesRead_(std::make_unique<Services::NewestWins<std::vector<Runtime::Volume>>>(
          *work_, [this](std::vector<Runtime::Volume> volumes) { setVolumes(std::move(volumes)); })) {
    // Not on screen yet, so waiting longer stops nothing; the list holds
    // "/" until the volumes arrive.
    auto volumes = volumesRead_->Request(Runtime::MountedVolumes, Services::kStartListingPatience);
    setVolumes(volumes ? std::move(*volumes) : std::vector<Runtime::Volume>());
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        failedRow_ = -1;
        emit driveChanged(drive());
    });
}

QString DriveList::drive() const { return QString::fromStdString(Runtime::ReadablePath(nativeDrive())); }

const std::string& DriveList::nativeDrive() const {
    const int index = currentIndex();
    // The list always holds at least "/", so index is only -1 before the
    // first volumes arrive.
    return volumes_[static_cast<std::size_t>(index < 0 ? 0 : index)].MountPoint;
}

void DriveList::setDrive(const QString& path) { setNativeDrive(path.toStdString()); }

void DriveList::setNativeDrive(std::string_view path) {
    const std::size_t found = Runtime::FindVolumeHolding(volumes_, path);
    if (found < volumes_.size()) setCurrentIndex(static_cast<int>(found));
}

void DriveList::returnTo(std::string_view path) {
    const int failed = currentIndex();
    const QSignalBlocker quiet(this);
    setNativeDrive(path);
    if (currentIndex() != failed) failedRow_ = failed;
}

DriveList::~DriveList() = default;

void DriveList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool isStep = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    const int shown = currentIndex();
    if (isStep && failedRow_ >= 0 && event->modifiers() == Qt::NoModifier) {
        // Else the step would lead to the failed volume again, and the ones
        // beyond it could only be reached by their first letters.
        const QSignalBlocker quiet(this);
        setCurrentIndex(failedRow_);
    }
    QComboBox::keyPressEvent(event);
    // No step past the last volume: the one shown stays.
    if (currentIndex() == failedRow_) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(shown);
    }
}

void DriveList::showPopup() {
    // Volumes that take longer to list fill the open list when they arrive.
    if (auto volumes = volumesRead_->Request(Runtime::MountedVolumes, Services::kListingPatience)) setVolumes(std::move(*volumes));
    QComboBox::showPopup();
}

void DriveList::setVolumes(std::vector<Runtime::Volume> volumes) {
    if (volumes.empty()) volumes.push_back(Runtime::Volume{"/", {}, {}, {}});
    const std::string current = volumes_.empty() ? std::string() : nativeDrive();
    std::size_t keep = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (volumes[i].MountPoint == current) keep = i;
    }
    {
        const QSignalBlocker quiet(this);  // the same drive stays current: no change to report
        clear();
        volumes_ = std::move(volumes);
        for (const Runtime::Volume& volume : volumes_) addItem(VolumeText(volume));
        setCurrentIndex(static_cast<int>(keep));
        failedRow_ = -1;
    }
    if (!current.empty() && nativeDrive() != current) emit driveChanged(drive());
}
