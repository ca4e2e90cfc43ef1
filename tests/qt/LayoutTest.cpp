// The real window at 96 dpi: where each control sits, its font, the tab order and what a screen reader announces;
// and at 96 and 144 dpi the report's title in view however long the path.
#include "WindowTestSupport.h"

// Whether Text1 shows the report's title line whole, scrolled as it is.
static bool IsTitleInView(const QPlainTextEdit& text) {
    const QTextCursor title = text.document()->find(QStringLiteral("タイトル－"));
    QTextCursor end(title);
    end.movePosition(QTextCursor::EndOfBlock);
    return text.viewport()->rect().contains(text.cursorRect(title)) && text.viewport()->rect().contains(text.cursorRect(end));
}

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsSitNamedAndInTabOrder() {
        if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96) QSKIP("needs QT_FONT_DPI=96");
        StartedForm window(".");
        QVERIFY(window.isStarted);
        QCOMPARE(window.form.minimumSize(), QSize(449, 327));
        QCOMPARE(window.form.maximumSize(), QSize(449, 327));
        QVERIFY(QAccessible::queryAccessibleInterface(&window.form)->text(QAccessible::Description).contains("ファイル"));
        const struct { const char* name; QRect geometry; int points; QString announced; } controls[] = {
            {"Drive1", {16, 160, 201, 20}, 9, "ドライブ"},
            {"Dir1", {16, 8, 201, 146}, 9, "フォルダー"},
            {"File1", {224, 8, 217, 174}, 9, "ファイル"},
            {"Text1", {16, 184, 425, 137}, 12, "情報"},
        };
        QWidget* widget = window.form.findChild<QWidget*>("Drive1");
        for (const auto& control : controls) {
            QCOMPARE(widget, window.form.findChild<QWidget*>(control.name));  // next in the tab order
            QCOMPARE(widget->geometry(), control.geometry);
            QCOMPARE(widget->font().pointSize(), control.points);
            QVERIFY(QFontMetrics(widget->font()).inFont(QChar(0x30BF)));  // draws Japanese: KATAKANA TA
            // On Linux a drop-down list is announced by the label that points at it.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            const auto labels = accessible->relations(QAccessible::Label);
            QCOMPARE((labels.isEmpty() ? accessible : labels.front().first)->text(QAccessible::Name), control.announced);
            do widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty());
        }
    }

    void titleShowsWhateverThePathsLength_data() {
        QTest::addColumn<int>("pathLength");
        QTest::addColumn<QString>("title");
        const QString longTitle = QStringLiteral("Variations on a Theme, ").repeated(5);
        QTest::newRow("path of 40 characters") << 40 << "Haru";
        QTest::newRow("path of 260 characters") << 260 << "Haru";
        QTest::newRow("path of 260 characters, long title") << 260 << longTitle;
    }

    void titleShowsWhateverThePathsLength() {
        QFETCH(int, pathLength);
        QFETCH(QString, title);
        TestFolder songs;
        // Folders of Japanese names down to the length asked for, the song's name included.
        QString path = songs.path();
        while (path.size() + 9 < pathLength) path += "/" + QStringLiteral("日本の曲").repeated(10).left(pathLength - path.size() - 10);
        const QString folder = path.mid(songs.path().size() + 1);
        StartedForm window(songs.make({(folder + "/song.mid:" + title).toStdString()}) + "/" + folder.toStdString());
        QVERIFY(window.isStarted);
        window.file1->setSelectedIndex(0);
        QCOMPARE(ReportLine(*window.text1, 0), FileLine(path + "/song.mid"));
        QCOMPARE((path + "/song.mid").size(), pathLength);
        QVERIFY(IsTitleInView(*window.text1));
        // Scrolled by the person, the box stays where they put it while the report stays the same.
        window.text1->verticalScrollBar()->setValue(0);
        MoveMouse(window.file1->viewport(), CenterOfRow(*window.file1, 0));
        QCOMPARE(window.text1->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
