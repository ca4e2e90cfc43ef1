// Every file-list trigger ends in the report, keys that move the selection included; nothing happens without a
// selection (an unchanged report leaving Text1 alone: LayoutTest).
#include "WindowTestSupport.h"

class TriggersTest : public QObject {
    Q_OBJECT
    struct Trigger { QString how, file, title; };  // no file: nothing is selected, and Text1 is left as it was

    // Commits text as an input method does: to the widget with the focus, while it takes input methods.
    static void CommitThroughInputMethod(const QString& text) {
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(QGuiApplication::focusObject(), &query);
        QInputMethodEvent commit(QString(), {});
        if (query.value(Qt::ImEnabled).toBool()) commit.setCommitString(text), QApplication::sendEvent(QGuiApplication::focusObject(), &commit);
    }

    // Acts on File1 in one of the ways the person can, or in several, one after the other.
    static void Act(FileList& list, const QString& how) {
        QWidget* viewport = list.viewport();
        const QPoint first = CenterOfRow(list, 0), second = CenterOfRow(list, 1), below(5, viewport->height() - 3);
        if (how.contains(", ")) for (const QString& step : how.split(", ")) Act(list, step);
        else if (how.startsWith("key ")) QTest::keySequence(&list, QKeySequence(how.mid(4)));
        else if (how.startsWith("type ")) QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, how.mid(5), {});
        else if (how.startsWith("input method ")) CommitThroughInputMethod(how.mid(13));
        else if (how == "focus back") list.clearFocus(), list.setFocus();
        else if (how.startsWith("move")) MoveMouse(viewport, how == "move below" ? below : first + QPoint(3, 0));
        else if (how == "mouse press" || how == "drag to b") QTest::mousePress(viewport, Qt::LeftButton, {}, first);
        else QTest::mouseClick(viewport, Qt::LeftButton, how.startsWith("Ctrl") ? Qt::ControlModifier : Qt::NoModifier,
                               how == "click below" ? below : how == "click b" ? second : first);
        if (how == "drag to b") MoveMouse(viewport, second, Qt::LeftButton);
    }

private slots:
    void eachTriggerShowsTheReport_data() {
        QTest::addColumn<Trigger>("row");
        // A selection change is a click of its own.
        QTest::newRow("click on another file") << Trigger{"click b", "b.mid", "Beta"};
        QTest::newRow("arrow key") << Trigger{"key Down", "b.mid", "Beta"};
        QTest::newRow("drag with the button held") << Trigger{"drag to b", "b.mid", "Beta"};
        QTest::newRow("type to find, either case") << Trigger{"type B", "b.mid", "Beta"};
        QTest::newRow("type to find, Japanese") << Trigger{"type 春", "春.mid", "Haru"};
        QTest::newRow("input method after a click") << Trigger{"click b, input method 春", "春.mid", "Haru"};
        QTest::newRow("input method after the focus came back") << Trigger{"focus back, input method 春", "春.mid", "Haru"};
        // a.mid is rewritten first: only a new read can show "Changed".
        QTest::newRow("key press on the selected file") << Trigger{"key Shift", "a.mid", "Changed"};
        QTest::newRow("mouse press on the selected file") << Trigger{"mouse press", "a.mid", "Changed"};
        QTest::newRow("mouse move, no button") << Trigger{"move", "a.mid", "Changed"};
        QTest::newRow("mouse move away from the names") << Trigger{"move below", "a.mid", "Changed"};
        // Once a file is selected, one stays selected.
        QTest::newRow("Ctrl+click on the selected file") << Trigger{"Ctrl+click a", "a.mid", "Changed"};
        QTest::newRow("Ctrl+Space on the selected file") << Trigger{"key Ctrl+Space", "a.mid", "Changed"};
        QTest::newRow("click below the names") << Trigger{"click below", "a.mid", "Changed"};
        QTest::newRow("nothing selected: key press") << Trigger{"key Shift", "", ""};
        QTest::newRow("nothing selected: mouse move") << Trigger{"move", "", ""};
    }

    void eachTriggerShowsTheReport() {
        QFETCH(Trigger, row);
        TestFolder songs;
        StartedForm window(songs.make({"a.mid:Alpha", "b.mid:Beta", "春.mid:Haru"}));
        QVERIFY(window.isStarted);
        window.file1->setFocus();
        window.file1->setSelectedIndex(0);
        if (row.file.isEmpty()) window.file1->setSelectedIndex(-1);
        songs.make({"a.mid:Changed"});
        QSignalSpy changes(window.text1, &QPlainTextEdit::textChanged);

        Act(*window.file1, row.how);

        QCOMPARE(SelectedName(*window.file1), row.file);
        QCOMPARE(changes.isEmpty(), row.file.isEmpty());
        if (row.file.isEmpty()) return;
        QCOMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ ") + row.title);
        QCOMPARE(ReportLine(*window.text1, 0), FileLine(songs.path() + "/" + row.file));
    }
};

QTEST_MAIN(TriggersTest)
#include "TriggersTest.moc"
