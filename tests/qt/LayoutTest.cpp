// The real window at 96 dpi: where each control sits, its font, the tab order and what a screen reader announces.
#include "WindowTestSupport.h"

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
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
