// The lists follow the shown folder on disk with nobody asking: each kind of change, the selection
// kept, the selected file or the folder itself removed, and a burst of changes.
#include "WindowTestSupport.h"

class LivingFoldersTest : public QObject {
    Q_OBJECT
    struct Change { QString change; QStringList files, folders; };
    struct Gone { QString how, landing; };

private slots:
    void followsEachChange_data() {
        QTest::addColumn<Change>("row");
        const QStringList files{"a.mid", "b.mid", "c.mid", "d.mid"}, folders{"one", "two"};
        QTest::newRow("file made") << Change{"0.smf", QStringList{"0.smf"} + files, folders};
        QTest::newRow("file removed") << Change{"remove a.mid", files.mid(1), folders};
        QTest::newRow("file renamed") << Change{"rename d.mid 曲.mid", files.mid(0, 3) << "曲.mid", folders};
        QTest::newRow("renamed out of the pattern") << Change{"rename a.mid a.txt", files.mid(1), folders};
        QTest::newRow("folder made") << Change{"Three/", files, {"one", "Three", "two"}};
        QTest::newRow("folder removed") << Change{"remove one", files, {"two"}};
        QTest::newRow("folder renamed") << Change{"rename two zwei", files, {"one", "zwei"}};
        // Nothing selected then, and Text1 keeps the report of the file gone.
        QTest::newRow("selected file removed") << Change{"remove c.mid", {"a.mid", "b.mid", "d.mid"}, folders};
    }

    void followsEachChange() {
        QFETCH(Change, row);
        // c.mid is selected first; the selection stays on it for as long as it is there.
        const QString selected = row.files.contains("c.mid") ? QStringLiteral("c.mid") : QString();
        TestFolder folder;
        StartedForm window(folder.make({"a.mid", "b.mid", "c.mid", "d.mid", "one/", "two/"}));
        window.file1->setSelectedIndex(2);
        // Dir1 highlights "two" (a single click), which stays highlighted while it is there.
        window.dir1->setCurrentIndex(window.dir1->model()->index(RowNamed(*window.dir1, "two"), 0));
        if (!selected.isEmpty()) folder.make({"c.mid:rewritten"});  // a report made now would differ
        QSignalSpy textChanges(window.text1, &QPlainTextEdit::textChanged);

        folder.change(row.change);
        QTRY_COMPARE(ShownNames(*window.file1), row.files);
        QTRY_COMPARE(ShownNames(*window.dir1).mid(ChainTo(window, folder.path()).size()), row.folders);
        const QString highlighted = row.folders.contains("two") ? "two" : folder.path().section('/', -1);
        QCOMPARE(window.dir1->currentIndex().data().toString(), highlighted);
        QCOMPARE(SelectedName(*window.file1), selected);
        QCOMPARE(textChanges.count(), 0);  // Text1 keeps the report as it was
        // The mouse reads the file still selected; the keys go on from it, or from where it was.
        MoveMouse(window.file1->viewport(), QPoint(5, 5));
        QCOMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ ") + (selected.isEmpty() ? "x" : "rewritten"));
        QTest::keyClick(window.file1, selected.isEmpty() ? Qt::Key_Up : Qt::Key_Down);
        const QString next = selected.isEmpty() ? "b.mid" : row.files.value(row.files.indexOf(selected) + 1);
        QCOMPARE(SelectedName(*window.file1), next);
        QCOMPARE(ReportLine(*window.text1, 0), FileLine(folder.path() + "/" + next));
    }

    void listingAgainKeepsThePlaceScrolledTo() {
        TestFolder folder;
        for (int i = 0; i < 60; ++i) folder.Write(QString::asprintf("%02d.mid", i).toStdString(), {});
        StartedForm window(folder.native());
        window.file1->scrollTo(window.file1->model()->index(30, 0), QAbstractItemView::PositionAtTop);
        folder.Write("00a.mid", {});  // listed above the place: the same name stays on top
        QTRY_COMPARE(window.file1->model()->rowCount(), 61);
        QCOMPARE(window.file1->indexAt(QPoint(1, 1)).data().toString(), QStringLiteral("30.mid"));
    }

    void shownFolderGoneMovesUpQuietly_data() {
        QTest::addColumn<Gone>("row");
        QTest::newRow("shown folder removed") << Gone{"remove up/down", "/up"};
        QTest::newRow("shown folder renamed") << Gone{"rename up/down up/moved", "/up"};
        QTest::newRow("it and the one above removed") << Gone{"remove up", ""};
        QTest::newRow("shown folder made unreadable") << Gone{"lock up/down", "/up"};
    }

    void shownFolderGoneMovesUpQuietly() {
        QFETCH(Gone, row);
        TestFolder folder;
        StartedForm window(folder.make({"up/down/deeper/", "up/down/in.mid", "up/beside.mid", "top.mid"}) + "/up/down");
        folder.change(row.how);
        const bool locks = row.how.startsWith("lock");
        if (locks && QDir(folder.path() + "/up/down").isReadable()) QSKIP("this user reads every folder (root)");

        QTRY_COMPARE(QStringList({window.dir1->path(), window.file1->path()}), QStringList(2, folder.path() + row.landing));
        QCOMPARE(ShownNames(*window.file1), QStringList{row.landing.isEmpty() ? "top.mid" : "beside.mid"});
        QCOMPARE(window.form.findChild<QMessageBox*>(), nullptr);
        if (locks) std::filesystem::permissions(folder.at("up/down"), std::filesystem::perms::owner_all);
    }

    void burstIsGatheredAndShownWhileItLasts() {
        // Another program replaces 100 files one by one over more than a second, while a file stays selected.
        constexpr int kCount = 100;
        TestFolder folder;
        for (int i = 0; i < kCount; ++i) folder.make({QString::asprintf("old%03d.mid", i).toStdString()});
        StartedForm window(folder.make({"stays.mid"}));
        window.file1->setSelectedIndex(kCount);
        QSignalSpy listings(window.file1->model(), &QAbstractItemModel::modelReset);
        QStringList made;
        for (int i = 0; i < kCount; ++i, QTest::qWait(12))
            folder.change(QString::asprintf("rename old%03d.mid new%03d.mid", i, i)), made << QString::asprintf("new%03d.mid", i);
        // Shown within the burst, not only after it ends, and gathered: far fewer listings than changes.
        QVERIFY(listings.count() > 0);
        QTRY_COMPARE(ShownNames(*window.file1), made + QStringList{"stays.mid"});
        QVERIFY2(listings.count() < kCount / 2, qPrintable(QString::number(listings.count())));
        QCOMPARE(SelectedName(*window.file1), QStringLiteral("stays.mid"));
    }
};

QTEST_MAIN(LivingFoldersTest)
#include "LivingFoldersTest.moc"
