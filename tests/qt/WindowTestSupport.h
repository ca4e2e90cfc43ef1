#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>

#include <filesystem>
#include <string>

#include "../support/SmfBytes.h"
#include "../support/TempFolder.h"
#include "DirectoryList.h"
#include "DriveList.h"
#include "FileList.h"
#include "Form1.h"

// A temporary folder built in code. Names are native bytes, so a test can
// make the Shift_JIS names old archives leave behind.
class TestFolder : public TempFolder {
public:
    TestFolder() : native_(std::filesystem::canonical(TempFolder::path()).native()) {}
    const std::string& native() const { return native_; }
    QString path() const { return QString::fromStdString(native()); }
    std::string at(const std::string& relative) const { return native() + "/" + relative; }
    void makeFolder(const std::string& relative) const { std::filesystem::create_directories(at(relative)); }

private:
    std::string native_;  // as the lists show it, links resolved
};

// A Form1 started in folder, as the tool starts in the current folder, and
// shown offscreen; its four controls found the way checks from outside find them.
struct StartedForm {
    explicit StartedForm(const std::string& folder) : isStarted(QDir::setCurrent(QString::fromStdString(folder))) {
        form.show();
        isStarted = isStarted && QTest::qWaitForWindowExposed(&form);
    }
    bool isStarted;
    Form1 form;
    DriveList* drive1 = form.findChild<DriveList*>(QStringLiteral("Drive1"));
    DirectoryList* dir1 = form.findChild<DirectoryList*>(QStringLiteral("Dir1"));
    FileList* file1 = form.findChild<FileList*>(QStringLiteral("File1"));
    QPlainTextEdit* text1 = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
};

// The chain Dir1 shows down to folder: the drive's root whole, then each
// folder below it. The drive is the volume TMPDIR is on, not always "/".
inline QStringList ChainTo(const StartedForm& window, const QString& folder) {
    const QString root = window.drive1->drive();
    return QStringList{root} + folder.mid(root.size()).split('/', Qt::SkipEmptyParts);
}

inline QStringList ShownNames(const QAbstractItemView& view) {
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row) names << view.model()->index(row, 0).data().toString();
    return names;
}

inline QPoint CenterOfRow(const QAbstractItemView& view, int row) {
    return view.visualRect(view.model()->index(row, 0)).center();
}

inline int RowNamed(const QAbstractItemView& view, const QString& name) {
    return static_cast<int>(ShownNames(view).indexOf(name));
}

// Line `line` (from 0) of the report Text1 shows.
inline QString ReportLine(const QPlainTextEdit& text, int line) {
    return text.toPlainText().split(QLatin1Char('\n')).value(line);
}

// A double click as a mouse makes it: press, release, double-click, release.
// QTest::mouseDClick alone sends no press, and item views only take a double
// click on the item they saw pressed.
inline void DoubleClick(QWidget* widget, QPoint position) {
    QTest::mousePress(widget, Qt::LeftButton, {}, position);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, position);
}

// A mouse move, by default with no button pressed. QTest::mouseMove turns
// that into moving the cursor, which the offscreen platform does not pass on.
inline void MoveMouse(QWidget* widget, QPoint position, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
