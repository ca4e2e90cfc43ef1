#pragma once

#include <QComboBox>

#include <string>
#include <string_view>
#include <vector>

#include "Volumes.h"

// The drive list: the mounted volumes a person browses, one of them current.
// Its drive is the current volume's mount point.
class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive WRITE setDrive NOTIFY driveChanged)

public:
    explicit DriveList(QWidget* parent = nullptr);  // lists the volumes mounted now

    QString drive() const;
    const std::string& nativeDrive() const;

    // Makes the volume that holds path current ("/home/me" picks "/home").
    void setDrive(const QString& path);
    void setNativeDrive(std::string_view path);

    // Replaces the listed volumes, keeping the current one when it is still
    // there and moving to the first otherwise.
    void setVolumes(std::vector<Runtime::Volume> volumes);

signals:
    void driveChanged(const QString& drive);  // another volume became current

protected:
    // Volumes come and go while the tool runs: the list is read again each
    // time it opens, and raises driveChanged when the current one went.
    void showPopup() override;

private:
    std::vector<Runtime::Volume> volumes_;
};
