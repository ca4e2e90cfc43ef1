// The window's fixed layout at 96 dpi (15 twips a pixel), its fonts and its
// tab order.
#include <QFontInfo>
#include <QScreen>
#include <QTest>

#include "WindowTestSupport.h"

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void controlsSitWhereTheTwipsSay_data();
    void controlsSitWhereTheTwipsSay();
    void windowHasAFixedClientArea();
    void fonts_data();
    void fonts();
    void tabOrderIsDriveDirectoryFileText();
};

void LayoutTest::init() {
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96)
        QSKIP("the layout figures below are for a 96 dpi screen (QT_FONT_DPI=96)");
}

void LayoutTest::controlsSitWhereTheTwipsSay_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Dir1: 240,120 3015x2190") << "Dir1" << QRect(16, 8, 201, 146);
    QTest::newRow("Drive1: 240,2400 3015x300") << "Drive1" << QRect(16, 160, 201, 20);
    QTest::newRow("File1: 3360,120 3255x2610") << "File1" << QRect(224, 8, 217, 174);
    QTest::newRow("Text1: 240,2760 6375x2055") << "Text1" << QRect(16, 184, 425, 137);
}

void LayoutTest::controlsSitWhereTheTwipsSay() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* control = form.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
}

void LayoutTest::windowHasAFixedClientArea() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(449, 327));
    QCOMPARE(form.minimumSize(), QSize(449, 327));
    QCOMPARE(form.maximumSize(), QSize(449, 327));
}

void LayoutTest::fonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("points");
    QTest::newRow("window") << "" << 12;
    QTest::newRow("Text1") << "Text1" << 12;
    QTest::newRow("Dir1") << "Dir1" << 9;
    QTest::newRow("Drive1") << "Drive1" << 9;
    QTest::newRow("File1") << "File1" << 9;
}

void LayoutTest::fonts() {
    QFETCH(QString, name);
    QFETCH(int, points);
    Form1 form;
    const QWidget* widget = name.isEmpty() ? &form : form.findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    const QFont font = widget->font();
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(font.weight(), QFont::Normal);
    QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
    QVERIFY(font.families().contains(QStringLiteral("IPAPGothic")));
    // Whichever face the machine has, it must draw Japanese.
    QVERIFY(QFontMetrics(font).inFont(QChar(0x30BF)));  // KATAKANA LETTER TA
}

void LayoutTest::tabOrderIsDriveDirectoryFileText() {
    Form1 form;
    const QStringList controls{"Drive1", "Dir1", "File1", "Text1"};
    QStringList order;
    QWidget* widget = form.findChild<QWidget*>("Drive1");
    do {
        if (controls.contains(widget->objectName()) && widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != form.findChild<QWidget*>("Drive1"));
    QCOMPARE(order, controls);
}

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
