#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/SmfBytes.h"
#include "DirectoryList.h"
#include "DriveList.h"
#include "FileList.h"
#include "Form1.h"

// A temporary folder built in code. Names are native bytes, so a test can
// make the Shift_JIS names old archives leave behind.
class TestFolder {
public:
    TestFolder() : native_(QDir(folder_.path()).canonicalPath().toStdString()) {}
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    // QTemporaryDir walks the folder by QString and cannot remove a name
    // that is not UTF-8, so the bytes are removed first.
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(native_, ignored);
    }

    const std::string& native() const { return native_; }
    QString path() const { return QString::fromStdString(native_); }
    std::string at(const std::string& relative) const { return native_ + "/" + relative; }

    void write(const std::string& relative, const Bytes& bytes) const {
        std::ofstream out(std::filesystem::path(at(relative)), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void makeFolder(const std::string& relative) const { std::filesystem::create_directories(at(relative)); }

private:
    QTemporaryDir folder_;
    std::string native_;
};

// A small valid file whose first track is named title.
inline Bytes TitledSong(std::string_view title) { return StandardHeader() + Track(NamedTrackData(Ascii(title))); }

// The four controls of a Form1, found the way checks from outside find them.
struct Controls {
    explicit Controls(Form1& form)
        : drive1(form.findChild<DriveList*>(QStringLiteral("Drive1"))),
          dir1(form.findChild<DirectoryList*>(QStringLiteral("Dir1"))),
          file1(form.findChild<FileList*>(QStringLiteral("File1"))),
          text1(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))) {}

    bool allFound() const { return drive1 && dir1 && file1 && text1; }

    DriveList* drive1;
    DirectoryList* dir1;
    FileList* file1;
    QPlainTextEdit* text1;
};

inline QStringList ShownNames(const QAbstractItemView& view) {
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        names << view.model()->index(row, 0).data().toString();
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

// A move with no button pressed. QTest::mouseMove turns that into moving
// the cursor, which the offscreen platform does not pass on as an event.
inline void MoveMouse(QWidget* widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
