// The real window at 96 dpi: where each control sits, its font, the tab order and what a screen reader announces;
// and at 96 and 144 dpi the report's title in view however long the path.
#include "WindowTestSupport.h"

// Whether Text1 shows the report's title line whole, scrolled as it is.
static bool IsTitleInView(const QPlainTextEdit& text) {
    QTextCursor title = text.document()->find(QStringLiteral("タイトル－")), end = title;
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

    void titleShowsWhateverThePathsLength() {
        // Songs under folders of Japanese names, their paths 260 characters long, one with a title that wraps too.
        TestFolder songs;
        QString path = songs.path();
        while (path.size() + 10 < 260) path += "/" + QStringLiteral("日本の曲").repeated(10).left(260 - path.size() - 11);
        const std::string folder = path.mid(songs.path().size() + 1).toStdString();
        const QString titles[] = {"Haru", QStringLiteral("Variations on a Theme, ").repeated(5)};
        StartedForm window(songs.make({folder + "/song0.mid:Haru", folder + "/song1.mid:" + titles[1].toStdString()}) + "/" + folder);
        for (const int row : {0, 1}) {
            window.file1->setSelectedIndex(row);
            QCOMPARE(ReportLine(*window.text1, 0), FileLine(path + "/song" + QString::number(row) + ".mid"));
            QCOMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ ") + titles[row]);
            QVERIFY(IsTitleInView(*window.text1));
        }
        // Scrolled by the person, the box stays where they put it while the report stays the same.
        window.text1->verticalScrollBar()->setValue(0);
        MoveMouse(window.file1->viewport(), CenterOfRow(*window.file1, 0));
        QCOMPARE(window.text1->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
