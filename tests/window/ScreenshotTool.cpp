// Draws Form1, started in the current folder, with one file selected, into
// a PNG: window_screenshot OUTPUT.png FILE-NAME. Used by scripts/screenshot.
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

#include "WindowTestSupport.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png FILE-NAME\n");
        return 2;
    }
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    const Controls controls(form);
    const int row = RowNamed(*controls.file1, QString::fromLocal8Bit(argv[2]));
    if (row < 0) {
        std::fprintf(stderr, "window_screenshot: %s is not in the file list\n", argv[2]);
        return 1;
    }
    controls.file1->setFocus();
    controls.file1->setSelectedIndex(row);
    MoveMouse(controls.file1->viewport(), CenterOfRow(*controls.file1, row));
    QTest::qWait(200);
    // The box shows six lines; scroll so the title line is among them.
    controls.text1->verticalScrollBar()->setValue(controls.text1->verticalScrollBar()->maximum());
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
