#pragma once

#include <QtTest>
#include <QtWidgets>

#include "../support/SmfBytes.h"
#include "../support/TempFolder.h"
#include "DirectoryList.h"
#include "DriveList.h"
#include "FileList.h"
#include "Form1.h"

// A temporary folder built in code. Names are native bytes: tests make the Shift_JIS names of old archives.
class TestFolder : public TempFolder {
public:
    TestFolder() : native_(std::filesystem::canonical(TempFolder::path()).native()) {}
    const std::string& native() const { return native_; }
    QString path() const { return QString::fromStdString(native()); }
    std::string at(const std::string& relative) const { return native() + "/" + relative; }
    // Makes each entry, folders above it included: "name/" a folder, "name:Title" a
    // song with that title, "name" a song. Returns the folder's path, to start a window in.
    const std::string& make(std::initializer_list<std::string> entries) const {
        for (const std::string& entry : entries) {
            const auto colon = entry.find(':');
            const std::string name = entry.substr(0, colon);
            std::filesystem::create_directories(std::filesystem::path(at(name)).parent_path());
            if (!name.ends_with('/')) Write(name, TitledSong(colon == entry.npos ? "x" : entry.substr(colon + 1)));
        }
        return native();
    }
    // As another program would: "remove name", "rename name new-name", "lock name", else makes the entry.
    void change(const QString& what) const {
        const QStringList words = what.split(' ');
        const std::string name = at(words.value(1).toStdString());
        if (words[0] == "remove") std::filesystem::remove_all(name);
        else if (words[0] == "rename") std::filesystem::rename(name, at(words.value(2).toStdString()));
        else if (words[0] == "lock") std::filesystem::permissions(name, std::filesystem::perms::none);
        else make({what.toStdString()});
    }

private:
    std::string native_;  // as the lists show it, links resolved
};

// A Form1 started in folder, as the tool starts in the current folder, shown offscreen; its controls found by name.
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

// The chain Dir1 shows down to folder: its drive's root whole (TMPDIR's volume, not always "/"), then each folder.
inline QStringList ChainTo(const StartedForm& window, const QString& folder) {
    const QString root = window.drive1->drive();
    return QStringList{root} + folder.mid(root.size()).split('/', Qt::SkipEmptyParts);
}

inline QStringList ShownNames(const QAbstractItemView& view) {
    QStringList names;
    for (int row = 0; row < view.model()->rowCount(); ++row) names << view.model()->index(row, 0).data().toString();
    return names;
}
inline int RowNamed(const QAbstractItemView& view, const QString& name) { return int(ShownNames(view).indexOf(name)); }
inline QString SelectedName(const FileList& list) { return ShownNames(list).value(list.selectedIndex()); }
inline QPoint CenterOfRow(const QAbstractItemView& view, int row) { return view.visualRect(view.model()->index(row, 0)).center(); }

// Where each row of a list starts to be drawn: the leftmost column of its rectangle not in the list's colour.
inline QList<int> InkLefts(QAbstractItemView& view) {
    view.selectionModel()->clear();
    view.scrollToTop();  // a deep chain scrolls the first rows out of sight
    const QImage image = view.viewport()->grab().toImage();
    QList<int> lefts(view.model()->rowCount(), -1);
    for (int row = 0; row < lefts.size(); ++row) {
        const QRect rect = view.visualRect(view.model()->index(row, 0)) & image.rect();
        for (int x = rect.right(); x >= rect.left(); --x) for (int y = rect.top(); y <= rect.bottom(); ++y)
            if (image.pixel(x, y) != view.palette().color(QPalette::Base).rgb()) lefts[row] = x;
    }
    return lefts;
}

// Line `line` (from 0) of the report Text1 shows; line 0 names the file.
inline QString ReportLine(const QPlainTextEdit& text, int line) { return text.toPlainText().split('\n').value(line); }
inline QString FileLine(const QString& path) { return QStringLiteral("ファイル名－ ") + path; }

// Takes the failure message the window shows and closes it, as pressing OK does.
inline QString TakeFailureMessage(QWidget& window) {
    const std::unique_ptr<QMessageBox> box(window.findChild<QMessageBox*>(QStringLiteral("FailureMessage")));
    return box && box->isVisible() ? box->text() : QString();
}

// A double click as a mouse makes it: press, release, double-click, release. QTest::mouseDClick alone sends
// no press, and item views only take a double click on the item they saw pressed.
inline void DoubleClick(QAbstractItemView& view, const QString& name) {
    for (const auto action : {QTest::MousePress, QTest::MouseRelease, QTest::MouseDClick, QTest::MouseRelease})
        QTest::mouseEvent(action, view.viewport(), Qt::LeftButton, {}, CenterOfRow(view, RowNamed(view, name)));
}

// A mouse move, by default with no button: QTest::mouseMove moves the cursor, which offscreen does not pass on.
inline void MoveMouse(QWidget* widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
