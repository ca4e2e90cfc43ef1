// Draws Form1, started in the current folder, with one file selected, into
// a PNG: window_screenshot OUTPUT.png FILE-NAME. Used by scripts/screenshot.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <cstdio>

#include "FileList.h"
#include "Form1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png FILE-NAME\n");
        return 2;
    }
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    auto* files = form.findChild<FileList*>(QStringLiteral("File1"));
    const QModelIndexList found = files->model()->match(files->model()->index(0, 0), Qt::DisplayRole,
                                                        QString::fromLocal8Bit(argv[2]), 1, Qt::MatchExactly);
    if (found.isEmpty()) {
        std::fprintf(stderr, "window_screenshot: %s is not in the file list\n", argv[2]);
        return 1;
    }
    files->setFocus();
    files->setSelectedIndex(found.front().row());
    // The pointer resting on the file, as when a person points at it.
    const QPoint over = files->visualRect(found.front()).center();
    QMouseEvent move(QEvent::MouseMove, over, files->viewport()->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &move);
    QTest::qWait(200);
    return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
