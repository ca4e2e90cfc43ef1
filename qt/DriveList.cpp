#include "DriveList.h"

#include <QKeyEvent>

#include "Form1Core.h"
#include "ReadableName.h"

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!isQuiet_ && form_ && index >= 0) form_->Drive1_Change(index);
    });
}

QString DriveList::drive() const {
    return form_ ? QString::fromStdString(Runtime::ReadablePath(form_->Drive1().NativeDrive())) : QString();
}

void DriveList::setVolumes(std::vector<Runtime::Volume> volumes) {
    if (form_) form_->Drive1_Volumes(std::move(volumes));
}

void DriveList::ShowVolumes(std::span<const Runtime::Volume> volumes) {
    isQuiet_ = true;
    clear();
    for (const Runtime::Volume& volume : volumes) addItem(QString::fromStdString(Window::DriveText(volume)));
    isQuiet_ = false;
}

void DriveList::ShowDrive(int index) {
    isQuiet_ = true;
    setCurrentIndex(index);
    isQuiet_ = false;
}

void DriveList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool isStep = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (!isStep || event->modifiers() != Qt::NoModifier || !form_) {
        QComboBox::keyPressEvent(event);
        return;
    }
    ShowDrive(form_->Drive1().Step(currentIndex(), [this, event](int from) {
        ShowDrive(from);
        QComboBox::keyPressEvent(event);
        return currentIndex();
    }));
}

void DriveList::showPopup() {
    // Volumes that take longer to list fill the open list when they arrive.
    if (form_) form_->Drive1_DropDown();
    QComboBox::showPopup();
}
