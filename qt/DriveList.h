#pragma once

#include <QComboBox>

#include <string>
#include <vector>

#include "DriveChoice.h"

namespace Window {
class Form1;
}  // namespace Window

// Drive1 on a combo box: the volumes Window::DriveChoice keeps, one of them
// current. Choosing another tells the core at once; opening the list reads
// the volumes again.
class DriveList : public QComboBox, public Window::DriveView {
    Q_OBJECT
    Q_PROPERTY(QString drive READ drive)

public:
    explicit DriveList(QWidget* parent = nullptr);

    void setForm(Window::Form1& form) { form_ = &form; }
    QString drive() const;  // the current volume's mount point, readable
    // Replaces the listed volumes, as reading them again does.
    void setVolumes(std::vector<Runtime::Volume> volumes);

    void ShowVolumes(std::span<const Runtime::Volume> volumes) override;
    void ShowDrive(int index) override;

protected:
    void showPopup() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window::Form1* form_ = nullptr;
    bool isQuiet_ = false;  // what the core shows is not the person's choice
};
