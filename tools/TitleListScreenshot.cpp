// Draws the title list, opened by Ctrl+L from Form1 started in the current
// folder, its subfolders included and a filter typed, into a PNG:
// titlelist_screenshot OUTPUT.png FILTER. Used by scripts/screenshot.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <cstdio>

#include "Form1.h"
#include "TitleListWindow.h"

namespace {

TitleListWindow* OpenedTitleList(Form1& form) {
    for (QAction* action : form.actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_L)) action->trigger();
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* list = dynamic_cast<TitleListWindow*>(widget); list && list->isVisible()) return list;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: titlelist_screenshot OUTPUT.png FILTER\n");
        return 2;
    }
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    TitleListWindow* list = OpenedTitleList(form);
    if (!list || !QTest::qWaitForWindowExposed(list)) {
        std::fprintf(stderr, "titlelist_screenshot: Ctrl+L opened no title list\n");
        return 1;
    }
    list->findChild<QCheckBox*>(QStringLiteral("Subfolders"))->setChecked(true);
    auto* filter = list->findChild<QLineEdit*>(QStringLiteral("Filter"));
    filter->setFocus();
    filter->setText(QString::fromLocal8Bit(argv[2]));
    // Until every song is read: the count goes then.
    auto* count = list->findChild<QLabel*>(QStringLiteral("Count"));
    QTest::qWait(100);
    for (int wait = 0; wait < 100 && !count->text().isEmpty(); ++wait) QTest::qWait(100);
    auto* table = list->findChild<QTableView*>(QStringLiteral("TitleList"));
    table->selectRow(0);
    table->resizeColumnToContents(0);
    table->resizeColumnToContents(1);
    QTest::qWait(200);
    return list->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
