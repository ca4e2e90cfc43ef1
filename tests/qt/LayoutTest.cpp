// The window's fixed layout at 96 dpi (15 twips a pixel), its fonts, its tab
// order and what a screen reader announces.
#include <QAccessible>
#include <QScreen>

#include "WindowTestSupport.h"

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void eachControlSitsAndIsNamedAsMade_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("announced");
        QTest::newRow("Dir1: 240,120 3015x2190") << "Dir1" << QRect(16, 8, 201, 146) << 9 << "フォルダー";
        QTest::newRow("Drive1: 240,2400 3015x300") << "Drive1" << QRect(16, 160, 201, 20) << 9 << "ドライブ";
        QTest::newRow("File1: 3360,120 3255x2610") << "File1" << QRect(224, 8, 217, 174) << 9 << "ファイル";
        QTest::newRow("Text1: 240,2760 6375x2055") << "Text1" << QRect(16, 184, 425, 137) << 12 << "情報";
        QTest::newRow("client area: 6735x4905, fixed; a title and a description")
            << "" << QRect(0, 0, 449, 327) << 12 << "MIDタイトル";
    }

    void eachControlSitsAndIsNamedAsMade() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, points);
        QFETCH(QString, announced);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* widget = name.isEmpty() ? &form : form.findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible != nullptr);
        // On Linux a drop-down list is announced by the label that points at it.
        const auto labels = accessible->relations(QAccessible::Label);
        const auto named = labels.isEmpty() ? accessible : labels.front().first;
        QCOMPARE(named->text(QAccessible::Name), announced);
        if (name.isEmpty()) QVERIFY(accessible->text(QAccessible::Description).contains(QStringLiteral("ファイル")));

        if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96)
            QSKIP("the figures are for a 96 dpi screen (QT_FONT_DPI=96)");
        QCOMPARE(widget->geometry().size(), geometry.size());
        if (name.isEmpty()) QCOMPARE(form.maximumSize(), form.minimumSize());
        else QCOMPARE(widget->pos(), geometry.topLeft());
        const QFont font = widget->font();
        QCOMPARE(font.pointSize(), points);
        QCOMPARE(font.weight(), QFont::Normal);
        // Whichever face the machine has, it must draw Japanese.
        QVERIFY(QFontMetrics(font).inFont(QChar(0x30BF)));  // KATAKANA LETTER TA
    }

    void tabOrderIsDriveDirectoryFileText() {
        Form1 form;
        const QStringList controls{"Drive1", "Dir1", "File1", "Text1"};
        QStringList order;
        QWidget* const first = form.findChild<QWidget*>("Drive1");
        QWidget* widget = first;
        do {
            if (controls.contains(widget->objectName()) && widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
        } while ((widget = widget->nextInFocusChain()) != first);
        QCOMPARE(order, controls);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
