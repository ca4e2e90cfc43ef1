// The title list's window on its real widgets: what the person does reaches the list, what the list answers
// reaches the widgets, and Form1 opens it, closes it and is brought to a file from it. How the list orders,
// filters and follows the disk is its core's, tested there.
#include "TitleListWindow.h"
#include "WindowTestSupport.h"

#define AWAIT_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 10000)

namespace {

// Calls act on the events' turn until it says it is done, while it lives: for the modal dialogs and menus
// that run events of their own.
struct WhenShown {
    explicit WhenShown(std::function<bool()> act) {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, act = std::move(act)] {
            if (act()) timer.stop();
        });
        timer.start(10);
    }
    QTimer timer;
};

// Opens widget's context menu, as the right button (at a point) or the menu key does, and picks the entry
// named text. False when the menu has none.
bool ChooseFromContextMenu(QAbstractScrollArea& area, const QString& text, std::optional<QPoint> at = {}) {
    QAction* chosen = nullptr;
    bool isShown = false;
    const WhenShown pick([&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return false;
        for (QAction* action : menu->actions()) if (action->text() == text) chosen = action;
        isShown = true;
        menu->close();
        return true;
    });
    const QPoint point = at.value_or(QPoint(5, 5));
    QContextMenuEvent event(at ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, point,
                            area.viewport()->mapToGlobal(point));
    QApplication::sendEvent(area.viewport(), &event);
    if (chosen) chosen->trigger();
    return isShown && chosen;
}

}  // namespace

class TitleListTest : public QObject {
    Q_OBJECT
    // Each step one of: "type TEXT", "input method TEXT", "key KEYS", "header N", "tick subfolders",
    // "select NAME", "write NAME:TITLE" (a file written in place, which only F5 reads, or made in a folder the
    // list watches).
    struct Input { QString steps; QStringList rows, selected; QString spoken; };
    struct Opening { QString how; QString title; QStringList rows; };

    // A Form1 on a folder of songs, and its title list once Ctrl+L opened it.
    struct Opened {
        explicit Opened(const TestFolder& songs, const std::string& below = {})
            : window(songs.make({"a.mid:Beta", "b.mid:Alpha", "春.mid:Haru", "sub/c.mid:Gamma"}) + below) {
            QTest::keyClick(window.file1, Qt::Key_L, Qt::ControlModifier);
            list = TitleLists().value(0);
            if (!list || !QTest::qWaitForWindowActive(list)) list = nullptr;
            if (!list) return;
            table = list->findChild<QTableView*>(QStringLiteral("TitleList"));
            filter = list->findChild<QLineEdit*>(QStringLiteral("Filter"));
            subfolders = list->findChild<QCheckBox*>(QStringLiteral("Subfolders"));
            count = list->findChild<QLabel*>(QStringLiteral("Count"));
        }
        StartedForm window;
        TitleListWindow* list = nullptr;
        QTableView* table = nullptr;
        QLineEdit* filter = nullptr;
        QCheckBox* subfolders = nullptr;
        QLabel* count = nullptr;
    };

    static QList<TitleListWindow*> TitleLists() {
        QList<TitleListWindow*> lists;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* list = dynamic_cast<TitleListWindow*>(widget); list && list->isVisible()) lists << list;
        return lists;
    }
    // Each row shown as "name:title".
    static QStringList Rows(const QTableView& table) {
        QStringList rows;
        for (int row = 0; row < table.model()->rowCount(); ++row)
            rows << table.model()->index(row, 0).data().toString() + ":" + table.model()->index(row, 1).data().toString();
        return rows;
    }
    static QStringList SelectedRows(const QTableView& table) {
        QStringList rows;
        const QStringList all = Rows(table);
        for (const QModelIndex& index : table.selectionModel()->selectedRows()) rows << all.value(index.row());
        return rows;
    }
    static void Act(Opened& o, const TestFolder& songs, const QString& step) {
        const QString rest = step.section(' ', 1);
        if (step.startsWith("type ")) o.filter->setFocus(), QTest::keyClicks(o.filter, rest);
        else if (step.startsWith("input method ")) {
            o.filter->setFocus();
            QInputMethodEvent commit(QString(), {});
            commit.setCommitString(step.mid(13));
            QApplication::sendEvent(o.filter, &commit);
        } else if (step.startsWith("key ")) QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : o.list, QKeySequence(rest));
        else if (step.startsWith("header ")) {
            QHeaderView* header = o.table->horizontalHeader();
            const QPoint at(header->sectionViewportPosition(rest.toInt()) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        } else if (step == "tick subfolders") QTest::mouseClick(o.subfolders, Qt::LeftButton);
        else if (step.startsWith("select ")) {
            o.table->setFocus();
            QTest::mouseClick(o.table->viewport(), Qt::LeftButton, {}, CenterOfRow(*o.table, RowNamed(*o.table, rest)));
        } else if (step.startsWith("write ")) {
            const QString folder = QFileInfo(songs.path() + "/" + rest.section(':', 0, 0)).path();
            auto* watch = o.list->findChild<QFileSystemWatcher*>();
            QTRY_VERIFY_WITH_TIMEOUT(watch->directories().contains(folder), 10000);
            songs.make({rest.toStdString()});
        }
    }

private slots:
    void inputReachesTheListAndItsAnswerIsShown_data() {
        QTest::addColumn<Input>("row");
        const QStringList all{"a.mid:Beta", "b.mid:Alpha", "春.mid:Haru"};
        QTest::newRow("opened") << Input{"", all, {}, "フォルダーの順、3 曲"};
        QTest::newRow("filter typed") << Input{"type alp", {"b.mid:Alpha"}, {}, "フォルダーの順、3 曲のうち 1 曲を表示"};
        QTest::newRow("filter from an input method") << Input{"input method 春", {"春.mid:Haru"}, {}, ""};
        QTest::newRow("Esc clears the filter") << Input{"type alp; key Esc", all, {}, "フォルダーの順、3 曲"};
        QTest::newRow("Ctrl+F reaches the filter") << Input{"select a.mid; key Ctrl+F; type alp", {"b.mid:Alpha"}, {}, ""};
        QTest::newRow("header click sorts") << Input{"header 1", {"b.mid:Alpha", "a.mid:Beta", "春.mid:Haru"}, {}, "タイトルの昇順、3 曲"};
        QTest::newRow("second click reverses") << Input{"header 1; header 1", {"春.mid:Haru", "a.mid:Beta", "b.mid:Alpha"}, {}, "タイトルの降順、3 曲"};
        QTest::newRow("subfolders ticked")
            << Input{"tick subfolders", all + QStringList{"sub/c.mid:Gamma"}, {}, "フォルダーの順、4 曲"};
        QTest::newRow("F5 reads again") << Input{"write a.mid:Delta; select a.mid; key F5", {"a.mid:Delta", "b.mid:Alpha", "春.mid:Haru"}, {"a.mid:Delta"}, ""};
        QTest::newRow("the disk followed, below too") << Input{"tick subfolders; write sub/d.mid:Delta",
            all + QStringList{"sub/c.mid:Gamma", "sub/d.mid:Delta"}, {}, "フォルダーの順、5 曲"};
        QTest::newRow("the selection follows its song") << Input{"select a.mid; header 1", {"b.mid:Alpha", "a.mid:Beta", "春.mid:Haru"}, {"a.mid:Beta"}, ""};
    }

    void inputReachesTheListAndItsAnswerIsShown() {
        QFETCH(Input, row);
        TestFolder songs;
        Opened o(songs);
        QVERIFY(o.list);
        QCOMPARE(o.list->windowTitle(), "タイトル一覧 - " + songs.path());
        AWAIT_COMPARE(Rows(*o.table), QStringList({"a.mid:Beta", "b.mid:Alpha", "春.mid:Haru"}));
        for (const QString& step : row.steps.split("; ", Qt::SkipEmptyParts)) Act(o, songs, step);

        AWAIT_COMPARE(Rows(*o.table), row.rows);
        QCOMPARE(SelectedRows(*o.table), row.selected);
        AWAIT_COMPARE(o.count->text(), QString());  // all read
        if (!row.spoken.isEmpty()) QCOMPARE(o.table->accessibleDescription(), row.spoken);
        const QHeaderView* header = o.table->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), row.steps.contains("header 1") ? 1 : -1);
        QCOMPARE(header->sortIndicatorOrder(), row.steps.count("header 1") == 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(o.table->accessibleName(), QStringLiteral("タイトル一覧"));
        QCOMPARE(o.filter->accessibleName(), QStringLiteral("絞り込み"));
        QCOMPARE(header->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("状態"));
    }

    void form1OpensItReusesItAndClosesIt_data() {
        QTest::addColumn<Opening>("row");
        const QStringList all{"a.mid:Beta", "b.mid:Alpha", "春.mid:Haru"};
        QTest::newRow("Ctrl+L") << Opening{"", "", all};
        QTest::newRow("File1's context menu, the press reading the file") << Opening{"menu", "", all};
        QTest::newRow("again from another folder") << Opening{"sub", "/sub", {"c.mid:Gamma"}};
        QTest::newRow("closing it leaves Form1") << Opening{"close list", "", {}};
        QTest::newRow("closing Form1 closes it") << Opening{"close Form1", "", {}};
    }

    void form1OpensItReusesItAndClosesIt() {
        QFETCH(Opening, row);
        TestFolder songs;
        Opened o(songs);
        QVERIFY(o.list);
        if (row.how == "menu") {
            o.list->close();
            const QPoint at = CenterOfRow(*o.window.file1, RowNamed(*o.window.file1, "b.mid"));
            QTest::mousePress(o.window.file1->viewport(), Qt::RightButton, {}, at);
            QCOMPARE(ReportLine(*o.window.text1, 6), QStringLiteral("タイトル－ Alpha"));
            QVERIFY(ChooseFromContextMenu(*o.window.file1, QStringLiteral("タイトル一覧(&L)…"), at));
        } else if (row.how == "sub") {
            o.window.dir1->setNativePath(songs.at("sub"));
            o.window.form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&o.window.form));
            QTest::keyClick(o.window.file1, Qt::Key_L, Qt::ControlModifier);
        } else if (row.how == "close list") {
            o.window.file1->setSelectedIndex(1);
            o.list->close();
        } else if (row.how == "close Form1") o.window.form.close();

        QCOMPARE(TitleLists().size(), row.rows.isEmpty() ? 0 : 1);
        QCOMPARE(o.window.form.isVisible(), row.how != "close Form1");
        if (row.rows.isEmpty()) {
            if (row.how == "close list") QCOMPARE(SelectedName(*o.window.file1), QStringLiteral("b.mid"));
            return;
        }
        QCOMPARE(TitleLists().value(0), o.list);
        QCOMPARE(o.list->windowTitle(), "タイトル一覧 - " + songs.path() + row.title);
        AWAIT_COMPARE(Rows(*o.table), row.rows);
    }

    void aRowBringsForm1ToItsFile_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("double-click") << "double-click";
    }

    void aRowBringsForm1ToItsFile() {
        QFETCH(QString, how);
        TestFolder songs;
        Opened o(songs);
        QVERIFY(o.list);
        QTest::mouseClick(o.subfolders, Qt::LeftButton);
        const QString name = QStringLiteral("sub/c.mid");
        AWAIT_COMPARE(RowNamed(*o.table, name), 3);
        if (how == "Enter") {
            o.table->setFocus();
            o.table->setCurrentIndex(o.table->model()->index(3, 0));
            QTest::keyClick(o.table, Qt::Key_Return);
        } else DoubleClick(*o.table, name);

        AWAIT_COMPARE(SelectedName(*o.window.file1), QStringLiteral("c.mid"));
        QCOMPARE(o.window.dir1->path(), QString::fromStdString(songs.at("sub")));
        AWAIT_COMPARE(ReportLine(*o.window.text1, 6), QStringLiteral("タイトル－ Gamma"));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&o.window.form));
    }

    void copyAndSaveTakeTheRows_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("lines");  // the rows' paths below the folder, as copied or saved
        QTest::newRow("Ctrl+C: the rows selected") << "copy" << QStringList{"a.mid", "b.mid", "春.mid"};
        QTest::newRow("saved: the rows shown") << "save" << QStringList{"b.mid"};
        // A folder no file can be made in, even by root, that the dialog goes into as into any other.
        QTest::newRow("a save that fails says why") << "save to /proc" << QStringList{};
    }

    void copyAndSaveTakeTheRows() {
        QFETCH(QString, how);
        QFETCH(QStringList, lines);
        TestFolder songs;
        Opened o(songs);
        QVERIFY(o.list);
        AWAIT_COMPARE(Rows(*o.table).size(), 3);
        QString text;
        if (how == "copy") {
            o.table->setFocus();
            QTest::keySequence(o.table, QKeySequence::SelectAll);
            QTest::keySequence(o.table, QKeySequence::Copy);
            text = QGuiApplication::clipboard()->text();
        } else {
            QTest::keyClicks(o.filter, "alp");
            AWAIT_COMPARE(Rows(*o.table).size(), 1);
            const QString path = how.endsWith("/proc") ? QStringLiteral("/proc/titles.csv") : songs.path() + "/titles.csv";
            QVERIFY(ChooseFromContextMenu(*o.table, QStringLiteral("CSVで保存…")));
            auto* dialog = o.list->findChild<QFileDialog*>(QStringLiteral("SaveDialog"));
            QVERIFY(dialog && dialog->isVisible());
            dialog->selectFile(path);  // the dialog goes to the file's folder on a turn of its own
            QTRY_COMPARE(dialog->selectedFiles().value(0), path);
            static_cast<QDialog*>(dialog)->accept();
            QFile saved(path);
            const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
            QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), !lines.isEmpty());
            text = QString::fromUtf8(bytes);
            QCOMPARE(TakeFailureMessage(*o.list).isEmpty(), !lines.isEmpty());
        }
        const QStringList got = text.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), lines.isEmpty() ? 0 : lines.size() + 1);  // a header line first
        for (int line = 0; line < lines.size(); ++line)
            QVERIFY2(got[line + 1].startsWith(songs.path() + "/" + lines[line]), qPrintable(got[line + 1]));
    }
};

QTEST_MAIN(TitleListTest)
#include "TitleListTest.moc"
