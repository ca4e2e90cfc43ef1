// The lists follow the shown folder on disk with nobody asking: each kind
// of change, the selection kept, the selected file or the folder itself
// removed, and a burst of changes.
#include <QMessageBox>
#include <QSignalSpy>

#include "WindowTestSupport.h"

namespace {

QString SelectedName(const FileList& list) {
    return list.selectedIndex() < 0 ? QString() : ShownNames(list).value(list.selectedIndex());
}

}  // namespace

class LivingFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void followsEachChange_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        const QStringList files{"a.mid", "b.mid", "c.mid"};
        const QStringList folders{"one", "two"};
        QTest::newRow("file made") << "write 0.smf" << QStringList{"0.smf", "a.mid", "b.mid", "c.mid"} << folders;
        QTest::newRow("file removed") << "remove a.mid" << QStringList{"b.mid", "c.mid"} << folders;
        QTest::newRow("file renamed") << "rename c.mid 曲.mid" << QStringList{"a.mid", "b.mid", "曲.mid"} << folders;
        QTest::newRow("renamed out of the pattern") << "rename a.mid a.txt" << QStringList{"b.mid", "c.mid"} << folders;
        QTest::newRow("folder made") << "mkdir Three" << files << QStringList{"one", "Three", "two"};
        QTest::newRow("folder removed") << "remove one" << files << QStringList{"two"};
        QTest::newRow("folder renamed") << "rename two zwei" << files << QStringList{"one", "zwei"};
        // Nothing selected then, and Text1 keeps the report of the file gone.
        QTest::newRow("selected file removed") << "remove b.mid" << QStringList{"a.mid", "c.mid"} << folders;
    }

    void followsEachChange() {
        QFETCH(QString, change);
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        // b.mid is selected first; the selection stays on it for as long as it is there.
        const QString selected = files.contains("b.mid") ? QStringLiteral("b.mid") : QString();
        TestFolder folder;
        for (const char* name : {"a.mid", "b.mid", "c.mid"}) folder.Write(name, TitledSong(name));
        for (const char* name : {"one", "two"}) folder.makeFolder(name);
        StartedForm window(folder.native());
        window.file1->setSelectedIndex(1);
        // Dir1 highlights "two" (a single click), which stays highlighted while it is there.
        window.dir1->setCurrentIndex(window.dir1->model()->index(RowNamed(*window.dir1, "two"), 0));
        const QString report = window.text1->toPlainText();
        if (!selected.isEmpty()) folder.Write("b.mid", TitledSong("rewritten"));  // a report made now would differ
        QSignalSpy textChanges(window.text1, &QPlainTextEdit::textChanged);
        QSignalSpy pathChanges(window.dir1, &DirectoryList::pathChanged);

        const QStringList words = change.split(' ');
        const std::string name = words.value(1).toStdString();
        if (words[0] == "write") folder.Write(name, TitledSong("new"));
        if (words[0] == "mkdir") folder.makeFolder(name);
        if (words[0] == "remove") std::filesystem::remove(folder.at(name));
        if (words[0] == "rename") std::filesystem::rename(folder.at(name), folder.at(words.value(2).toStdString()));

        QTRY_COMPARE(ShownNames(*window.file1), files);
        QTRY_COMPARE(ShownNames(*window.dir1).mid(ChainTo(window, folder.path()).size()), folders);
        const QString highlighted = folders.contains("two") ? "two" : folder.path().section('/', -1);
        QCOMPARE(window.dir1->currentIndex().data().toString(), highlighted);
        QCOMPARE(SelectedName(*window.file1), selected);
        QCOMPARE(textChanges.count(), 0);
        QCOMPARE(window.text1->toPlainText(), report);
        QCOMPARE(pathChanges.count(), 0);
        if (!selected.isEmpty()) return;
        QTest::keyClick(window.file1, Qt::Key_Up);  // the keys go on from where the file was
        QCOMPARE(SelectedName(*window.file1), QStringLiteral("a.mid"));
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
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("landing");
        QTest::newRow("shown folder removed") << "remove up/down" << "up";
        QTest::newRow("shown folder renamed") << "rename up/down" << "up";
        QTest::newRow("it and the one above removed") << "remove up" << "";
        QTest::newRow("shown folder made unreadable") << "lock up/down" << "up";
    }

    void shownFolderGoneMovesUpQuietly() {
        QFETCH(QString, how);
        QFETCH(QString, landing);
        TestFolder folder;
        folder.makeFolder("up/down/deeper");
        folder.Write("up/down/in.mid", TitledSong("x"));
        folder.Write("up/beside.mid", TitledSong("x"));
        folder.Write("top.mid", TitledSong("x"));
        StartedForm window(folder.at("up/down"));

        const QStringList words = how.split(' ');
        const std::string target = folder.at(words[1].toStdString());
        if (words[0] == "remove") std::filesystem::remove_all(target);
        if (words[0] == "rename") std::filesystem::rename(target, target + "-moved");
        if (words[0] == "lock") {
            std::filesystem::permissions(target, std::filesystem::perms::none);
            if (QDir(QString::fromStdString(target)).isReadable()) QSKIP("this user reads every folder (root)");
        }

        const QString expected = landing.isEmpty() ? folder.path() : folder.path() + "/" + landing;
        QTRY_COMPARE(window.dir1->path(), expected);
        QCOMPARE(window.file1->path(), expected);
        QCOMPARE(ShownNames(*window.file1), QStringList{landing.isEmpty() ? "top.mid" : "beside.mid"});
        QCOMPARE(window.form.findChild<QMessageBox*>(), nullptr);
        if (words[0] == "lock") std::filesystem::permissions(target, std::filesystem::perms::owner_all);
    }

    void burstIsGatheredAndShownWhileItLasts() {
        // Another program replaces 100 files one by one over more than a
        // second, the event loop running between changes, while the person
        // has a file that stays selected.
        constexpr int kCount = 100;
        TestFolder folder;
        QStringList old;
        QStringList made;
        for (int i = 0; i < kCount; ++i) {
            old << QString::asprintf("old %03d.mid", i);
            made << QString::asprintf("new %03d.mid", i);
            folder.Write(old.last().toStdString(), {});
        }
        folder.Write("stays.mid", {});
        StartedForm window(folder.native());
        window.file1->setSelectedIndex(kCount);
        QSignalSpy listings(window.file1->model(), &QAbstractItemModel::modelReset);
        for (int i = 0; i < kCount; ++i) {
            std::filesystem::remove(folder.at(old[i].toStdString()));
            folder.Write(made[i].toStdString(), {});
            QTest::qWait(12);
        }
        // Shown within the burst, not only after it ends...
        QVERIFY(listings.count() > 0);
        QTRY_COMPARE(ShownNames(*window.file1), made + QStringList{"stays.mid"});
        // ...and gathered: a few listings, not one a change.
        QVERIFY2(listings.count() < kCount / 4, qPrintable(QString::number(listings.count())));
        QCOMPARE(SelectedName(*window.file1), QStringLiteral("stays.mid"));
    }
};

QTEST_MAIN(LivingFoldersTest)
#include "LivingFoldersTest.moc"
