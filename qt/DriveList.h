#pragma once

#include <QComboBox>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Volumes.h"

namespace Services {
class BackgroundWork;
template <class Result>
class NewestWins;
}  // namespace Services

// The drive list: the mounted volumes a person browses, one of them current.
// Its drive is the current volume's mount point.
// The volumes are read on a worker: looking at a mount point whose server
// stopped answering waits for good, and the window must not.
class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive WRITE setDrive NOTIFY driveChanged)

public:
    explicit DriveList(QWidget* parent = nullptr);  // lists the volumes mounted now
    ~DriveList() override;  // returns at once, even with the volumes' read hanging

    QString drive() const;
    const std::string& nativeDrive() const;

    // Makes the volume that holds path current ("/home/me" picks "/home").
    void setDrive(const QString& path);
    void setNativeDrive(std::string_view path);
    // Goes back, quietly, to the volume that holds path when the current one
    // could not be opened; the arrow keys go on from the one that failed.
    void returnTo(std::string_view path);

    // Replaces the listed volumes, keeping the current one when it is still
    // there and moving to the first otherwise.
    void setVolumes(std::vector<Runtime::Volume> volumes);

signals:
    void driveChanged(const QString& drive);  // another volume became current

protected:
    // Volumes come and go while the tool runs: the list is read again each
    // time it opens, and raises driveChanged when the current one went.
    void showPopup() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<Runtime::Volume> volumes_;
    int failedRow_ = -1;  // the volume last gone back from, where the arrow keys go on from
    std::unique_ptr<Services::BackgroundWork> work_;
    std::unique_ptr<Services::NewestWins<std::vector<Runtime::Volume>>> volumesRead_;  // goes before work_
};
