// Every file-list trigger ends in the report, keys that move the selection
// included; nothing happens without a selection, and an unchanged report
// leaves Text1 alone.
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "WindowTestSupport.h"

namespace {

// A folder of three titled files: a.mid, b.mid and 春.mid, in that order.
struct SongFolder : TestFolder {
    SongFolder() {
        write("a.mid", TitledSong("Alpha"));
        write("b.mid", TitledSong("Beta"));
        write("春.mid", TitledSong("Haru"));
    }
};

// Acts on File1 in one of the ways the person can.
void Trigger(FileList& list, const QString& how) {
    QWidget* viewport = list.viewport();
    const QHash<QString, Qt::Key> keys{{"Down", Qt::Key_Down}, {"Page Down", Qt::Key_PageDown},
                                       {"End", Qt::Key_End},   {"Home", Qt::Key_Home},
                                       {"Shift", Qt::Key_Shift}};
    if (keys.contains(how)) {
        QTest::keyClick(&list, keys[how]);
    } else if (how.startsWith("type ")) {
        QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, how.mid(5), {});
    } else if (how.startsWith("input method ")) {
        QInputMethodEvent commit;
        commit.setCommitString(how.mid(13));
        QApplication::sendEvent(&list, &commit);
    } else if (how == "click b") {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, CenterOfRow(list, 1));
    } else if (how == "mouse press") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, CenterOfRow(list, 0));
    } else if (how == "mouse move") {
        MoveMouse(viewport, CenterOfRow(list, 0) + QPoint(3, 0));
    } else if (how == "mouse move below the names") {
        MoveMouse(viewport, QPoint(5, viewport->height() - 3));
    }
}

}  // namespace

class TriggersTest : public QObject {
    Q_OBJECT

private slots:
    void eachTriggerShowsTheReport_data();
    void eachTriggerShowsTheReport();
    void unchangedReportLeavesTextUntouched();
};

void TriggersTest::eachTriggerShowsTheReport_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("file");  // empty: Text1 is left as it was
    QTest::addColumn<QString>("title");
    // A selection change is a click of its own.
    QTest::newRow("click on another file") << 0 << "click b" << "b.mid" << "Beta";
    QTest::newRow("arrow key") << 0 << "Down" << "b.mid" << "Beta";
    QTest::newRow("Page Down") << 0 << "Page Down" << "春.mid" << "Haru";
    QTest::newRow("End") << 0 << "End" << "春.mid" << "Haru";
    QTest::newRow("type to find, either case") << 0 << "type B" << "b.mid" << "Beta";
    QTest::newRow("type to find, Japanese") << 0 << "type 春" << "春.mid" << "Haru";
    QTest::newRow("type to find, input method") << 0 << "input method 春" << "春.mid" << "Haru";
    // a.mid is rewritten first: only a new read can show "Changed".
    QTest::newRow("Home") << 2 << "Home" << "a.mid" << "Changed";
    QTest::newRow("key press on the selected file") << 0 << "Shift" << "a.mid" << "Changed";
    QTest::newRow("mouse press on the selected file") << 0 << "mouse press" << "a.mid" << "Changed";
    QTest::newRow("mouse move, no button") << 0 << "mouse move" << "a.mid" << "Changed";
    QTest::newRow("mouse move away from the names") << 0 << "mouse move below the names" << "a.mid" << "Changed";
    QTest::newRow("nothing selected: key press") << -1 << "Shift" << "" << "";
    QTest::newRow("nothing selected: mouse move") << -1 << "mouse move" << "" << "";
    QTest::newRow("nothing selected: mouse move below") << -1 << "mouse move below the names" << "" << "";
}

void TriggersTest::eachTriggerShowsTheReport() {
    QFETCH(int, selected);
    QFETCH(QString, how);
    QFETCH(QString, file);
    QFETCH(QString, title);
    SongFolder songs;
    StartedForm started(songs.native());
    QVERIFY(started.isStarted);
    FileList& list = *started.controls.file1;
    const QPlainTextEdit& text = *started.controls.text1;
    list.setFocus();
    list.setSelectedIndex(0);
    list.setSelectedIndex(selected);
    const QString before = text.toPlainText();
    songs.write("a.mid", TitledSong("Changed"));
    QSignalSpy changes(&text, &QPlainTextEdit::textChanged);

    Trigger(list, how);

    if (file.isEmpty()) {
        QCOMPARE(list.selectedIndex(), -1);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(text.toPlainText(), before);
        return;
    }
    QCOMPARE(ReportLine(text, 6), QStringLiteral("タイトル－ ") + title);
    QCOMPARE(ReportLine(text, 0), QStringLiteral("ファイル名－ ") + songs.path() + "/" + file);
}

void TriggersTest::unchangedReportLeavesTextUntouched() {
    SongFolder songs;
    // A title long enough to wrap, so the box has somewhere to scroll to.
    songs.write("a.mid", TitledSong(std::string(120, 'T') + " " + std::string(6, 'x')));
    StartedForm started(songs.native());
    const Controls& controls = started.controls;
    controls.file1->setSelectedIndex(0);
    QTextCursor selection = controls.text1->textCursor();
    selection.setPosition(2);
    selection.setPosition(9, QTextCursor::KeepAnchor);
    controls.text1->setTextCursor(selection);
    QScrollBar* scroll = controls.text1->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    scroll->setValue(scroll->maximum());
    QSignalSpy changes(controls.text1, &QPlainTextEdit::textChanged);

    for (int x = 2; x < 40; x += 4) MoveMouse(controls.file1->viewport(), CenterOfRow(*controls.file1, 0) + QPoint(x, 0));
    QTest::mousePress(controls.file1->viewport(), Qt::LeftButton, {}, CenterOfRow(*controls.file1, 0));

    QCOMPARE(changes.count(), 0);
    QCOMPARE(controls.text1->textCursor().anchor(), 2);
    QCOMPARE(controls.text1->textCursor().position(), 9);
    QCOMPARE(scroll->value(), scroll->maximum());
}

QTEST_MAIN(TriggersTest)
#include "TriggersTest.moc"
