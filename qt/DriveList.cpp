#include "DriveList.h"

#include <QSignalBlocker>

#include "ReadableName.h"

namespace {

QString VolumeText(const Runtime::Volume& volume) {
    QString text = QString::fromStdString(Runtime::ReadablePath(volume.MountPoint));
    if (!volume.Label.empty()) text += QStringLiteral(" [%1]").arg(QString::fromStdString(volume.Label));
    return text;
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setVolumes(Runtime::MountedVolumes());
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(drive()); });
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

void DriveList::showPopup() {
    setVolumes(Runtime::MountedVolumes());
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
    }
    if (!current.empty() && nativeDrive() != current) emit driveChanged(drive());
}
