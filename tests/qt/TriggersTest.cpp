// Every file-list trigger ends in the report, keys that move the selection
// included; nothing happens without a selection, and an unchanged report
// leaves Text1 alone.
#include <QInputMethodEvent>
#include <QSignalSpy>

#include "WindowTestSupport.h"

namespace {

// A folder of three titled files: a.mid, b.mid and 春.mid, in that order.
struct SongFolder : TestFolder {
    SongFolder() {
        Write("a.mid", TitledSong("Alpha"));
        Write("b.mid", TitledSong("Beta"));
        Write("春.mid", TitledSong("Haru"));
    }
};

// Acts on File1 in one of the ways the person can.
void Trigger(FileList& list, const QString& how) {
    QWidget* viewport = list.viewport();
    const QPoint below(5, viewport->height() - 3);
    const QHash<QString, Qt::Key> keys{{"Down", Qt::Key_Down}, {"Shift", Qt::Key_Shift}, {"Ctrl+Space", Qt::Key_Space}};
    if (keys.contains(how)) {
        QTest::keyClick(&list, keys[how], how.startsWith("Ctrl") ? Qt::ControlModifier : Qt::NoModifier);
    } else if (how.startsWith("type ")) {
        QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, how.mid(5), {});
    } else if (how.startsWith("input method ")) {
        QInputMethodEvent commit;
        commit.setCommitString(how.mid(13));
        QApplication::sendEvent(&list, &commit);
    } else if (how == "click b" || how == "Ctrl+click a" || how == "click below") {
        const Qt::KeyboardModifiers ctrl = how.startsWith("Ctrl") ? Qt::ControlModifier : Qt::NoModifier;
        QTest::mouseClick(viewport, Qt::LeftButton, ctrl, how == "click below" ? below : CenterOfRow(list, how == "click b"));
    } else if (how == "mouse press") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, CenterOfRow(list, 0));
    } else if (how == "drag to b") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, CenterOfRow(list, 0));
        MoveMouse(viewport, CenterOfRow(list, 1), Qt::LeftButton);
    } else {  // a mouse move over the first name, or below the names
        MoveMouse(viewport, how.endsWith("below the names") ? below : CenterOfRow(list, 0) + QPoint(3, 0));
    }
}

}  // namespace

class TriggersTest : public QObject {
    Q_OBJECT

private slots:
    void eachTriggerShowsTheReport_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("file");  // empty: nothing is selected, and Text1 is left as it was
        QTest::addColumn<QString>("title");
        // A selection change is a click of its own.
        QTest::newRow("click on another file") << "click b" << "b.mid" << "Beta";
        QTest::newRow("arrow key") << "Down" << "b.mid" << "Beta";
        QTest::newRow("drag with the button held") << "drag to b" << "b.mid" << "Beta";
        QTest::newRow("type to find, either case") << "type B" << "b.mid" << "Beta";
        QTest::newRow("type to find, Japanese") << "type 春" << "春.mid" << "Haru";
        QTest::newRow("type to find, input method") << "input method 春" << "春.mid" << "Haru";
        // a.mid is rewritten first: only a new read can show "Changed".
        QTest::newRow("key press on the selected file") << "Shift" << "a.mid" << "Changed";
        QTest::newRow("mouse press on the selected file") << "mouse press" << "a.mid" << "Changed";
        QTest::newRow("mouse move, no button") << "mouse move" << "a.mid" << "Changed";
        QTest::newRow("mouse move away from the names") << "mouse move below the names" << "a.mid" << "Changed";
        // Once a file is selected, one stays selected.
        QTest::newRow("Ctrl+click on the selected file") << "Ctrl+click a" << "a.mid" << "Changed";
        QTest::newRow("Ctrl+Space on the selected file") << "Ctrl+Space" << "a.mid" << "Changed";
        QTest::newRow("click below the names") << "click below" << "a.mid" << "Changed";
        QTest::newRow("nothing selected: key press") << "Shift" << "" << "";
        QTest::newRow("nothing selected: mouse move") << "mouse move" << "" << "";
    }

    void eachTriggerShowsTheReport() {
        QFETCH(QString, how);
        QFETCH(QString, file);
        QFETCH(QString, title);
        SongFolder songs;
        StartedForm window(songs.native());
        QVERIFY(window.isStarted);
        FileList& list = *window.file1;
        const QPlainTextEdit& text = *window.text1;
        list.setFocus();
        list.setSelectedIndex(0);
        if (file.isEmpty()) list.setSelectedIndex(-1);
        const QString before = text.toPlainText();
        songs.Write("a.mid", TitledSong("Changed"));
        QSignalSpy changes(&text, &QPlainTextEdit::textChanged);

        Trigger(list, how);

        if (file.isEmpty()) {
            QCOMPARE(list.selectedIndex(), -1);
            QCOMPARE(changes.count(), 0);
            QCOMPARE(text.toPlainText(), before);
            return;
        }
        QCOMPARE(ShownNames(list).value(list.selectedIndex()), file);
        QCOMPARE(ReportLine(text, 6), QStringLiteral("タイトル－ ") + title);
        QCOMPARE(ReportLine(text, 0), QStringLiteral("ファイル名－ ") + songs.path() + "/" + file);
        // Read again and unchanged, the report leaves Text1 alone: its scroll
        // position and the person's selection in it stay.
        QSignalSpy again(&text, &QPlainTextEdit::textChanged);
        MoveMouse(list.viewport(), QPoint(5, 5));
        QCOMPARE(again.count(), 0);
    }
};

QTEST_MAIN(TriggersTest)
#include "TriggersTest.moc"
