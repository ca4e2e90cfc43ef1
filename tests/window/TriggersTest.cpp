// Every file-list trigger ends in the report; nothing happens without a
// selection, and an unchanged report leaves Text1 alone.
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "WindowTestSupport.h"

namespace {

// A shown Form1 on a folder of two titled files, "a.mid" selected.
struct Fixture {
    Fixture() {
        folder.write("a.mid", TitledSong("Alpha"));
        folder.write("b.mid", TitledSong("Beta"));
        QDir::setCurrent(folder.path());
        form = std::make_unique<Form1>();
        form->show();
    }
    Controls controls() const { return Controls(*form); }
    QString shownTitle() const { return ReportLine(*controls().text1, 6); }

    TestFolder folder;
    std::unique_ptr<Form1> form;
};

// Acts on File1 in one of the ways the person can.
void Trigger(FileList& list, const QString& how) {
    QWidget* viewport = list.viewport();
    if (how == "click b") QTest::mouseClick(viewport, Qt::LeftButton, {}, CenterOfRow(list, 1));
    else if (how == "arrow key") QTest::keyClick(&list, Qt::Key_Down);
    else if (how == "key press") QTest::keyClick(&list, Qt::Key_Shift);
    else if (how == "mouse press") QTest::mousePress(viewport, Qt::LeftButton, {}, CenterOfRow(list, 0));
    else if (how == "mouse move") MoveMouse(viewport, CenterOfRow(list, 0) + QPoint(3, 0));
    else if (how == "mouse move below the names") MoveMouse(viewport, QPoint(5, viewport->height() - 3));
}

}  // namespace

class TriggersTest : public QObject {
    Q_OBJECT

private slots:
    void eachTriggerShowsTheReport_data();
    void eachTriggerShowsTheReport();
    void nothingSelectedLeavesTextAlone_data();
    void nothingSelectedLeavesTextAlone();
    void unchangedReportLeavesTextUntouched();
    void reportOfAFileThatIsNotMidi();
};

void TriggersTest::eachTriggerShowsTheReport_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("title");
    // A selection change is a click of its own.
    QTest::newRow("click on another file") << "click b" << "Beta";
    QTest::newRow("arrow key moves the selection") << "arrow key" << "Beta";
    // The file is rewritten first: only a new read can show "Changed".
    QTest::newRow("key press on the selected file") << "key press" << "Changed";
    QTest::newRow("mouse press on the selected file") << "mouse press" << "Changed";
    QTest::newRow("mouse move, no button") << "mouse move" << "Changed";
    QTest::newRow("mouse move away from the names") << "mouse move below the names" << "Changed";
}

void TriggersTest::eachTriggerShowsTheReport() {
    QFETCH(QString, how);
    QFETCH(QString, title);
    Fixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    FileList& list = *fixture.controls().file1;
    list.setSelectedIndex(0);
    QCOMPARE(fixture.shownTitle(), QStringLiteral("タイトル－ Alpha"));
    fixture.folder.write("a.mid", TitledSong("Changed"));

    Trigger(list, how);

    QCOMPARE(fixture.shownTitle(), QStringLiteral("タイトル－ ") + title);
    QCOMPARE(ReportLine(*fixture.controls().text1, 0),
             QStringLiteral("ファイル名－ ") + fixture.folder.path() + (title == "Beta" ? "/b.mid" : "/a.mid"));
}

void TriggersTest::nothingSelectedLeavesTextAlone_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("key press") << "key press";
    QTest::newRow("mouse move, no button") << "mouse move";
    QTest::newRow("mouse move away from the names") << "mouse move below the names";
}

void TriggersTest::nothingSelectedLeavesTextAlone() {
    QFETCH(QString, how);
    Fixture fixture;
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    const Controls controls = fixture.controls();
    controls.file1->setSelectedIndex(0);
    controls.file1->setSelectedIndex(-1);
    QCOMPARE(controls.file1->selectedIndex(), -1);
    const QString before = controls.text1->toPlainText();
    fixture.folder.write("a.mid", TitledSong("Changed"));
    QSignalSpy changes(controls.text1, &QPlainTextEdit::textChanged);

    Trigger(*controls.file1, how);

    QCOMPARE(controls.file1->selectedIndex(), -1);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(controls.text1->toPlainText(), before);
}

void TriggersTest::unchangedReportLeavesTextUntouched() {
    Fixture fixture;
    // A title long enough to wrap, so the box has somewhere to scroll to.
    fixture.folder.write("a.mid", TitledSong(std::string(120, 'T') + " " + std::string(6, 'x')));
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    const Controls controls = fixture.controls();
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

void TriggersTest::reportOfAFileThatIsNotMidi() {
    TestFolder folder;
    folder.write("text.mid", Ascii("plain text, not a MIDI file"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    const Controls controls(form);
    controls.file1->setSelectedIndex(0);
    const QStringList expected{QStringLiteral("ファイル名－ ") + folder.path() + "/text.mid", "",
                               QStringLiteral("フォーマット－ 0"), QStringLiteral("トラック数－ 0"),
                               QStringLiteral("分解能－ 0"), "", QStringLiteral("タイトル－ MIDファイルではありません"), ""};
    QCOMPARE(controls.text1->toPlainText().split('\n'), expected);
}

QTEST_MAIN(TriggersTest)
#include "TriggersTest.moc"
