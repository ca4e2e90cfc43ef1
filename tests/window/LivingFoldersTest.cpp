// The lists follow the shown folder on disk with nobody asking: a large
// folder listed and sorted, each kind of change, the selection kept, the
// selected file or the folder itself removed, and a burst of changes.
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>

#include "WindowTestSupport.h"

namespace {

std::string Numbered(const char* format, int number) {
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return name;
}

QString SelectedName(const FileList& list) {
    return list.selectedIndex() < 0 ? QString() : ShownNames(list).value(list.selectedIndex());
}

}  // namespace

class LivingFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void followsEachChange_data();
    void followsEachChange();
    void shownFolderGoneMovesUpQuietly_data();
    void shownFolderGoneMovesUpQuietly();
    void largeFolderIsSortedAndFollowsABurst();
};

void LivingFoldersTest::followsEachChange_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("selected");
    const QStringList files{"a.mid", "b.mid", "c.mid"};
    const QStringList folders{"one", "two"};
    QTest::newRow("file made") << "write 0.smf" << QStringList{"0.smf", "a.mid", "b.mid", "c.mid"} << folders << "b.mid";
    QTest::newRow("file removed") << "remove a.mid" << QStringList{"b.mid", "c.mid"} << folders << "b.mid";
    QTest::newRow("file renamed") << "rename c.mid 曲.mid" << QStringList{"a.mid", "b.mid", "曲.mid"} << folders << "b.mid";
    QTest::newRow("file renamed out of the pattern") << "rename a.mid a.txt" << QStringList{"b.mid", "c.mid"} << folders
                                                     << "b.mid";
    QTest::newRow("folder made") << "mkdir Three" << files << QStringList{"one", "Three", "two"} << "b.mid";
    QTest::newRow("folder removed") << "remove one" << files << QStringList{"two"} << "b.mid";
    QTest::newRow("folder renamed") << "rename two zwei" << files << QStringList{"one", "zwei"} << "b.mid";
    // Nothing selected then, and Text1 keeps the report of the file gone.
    QTest::newRow("selected file removed") << "remove b.mid" << QStringList{"a.mid", "c.mid"} << folders << "";
}

void LivingFoldersTest::followsEachChange() {
    QFETCH(QString, change);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, selected);
    TestFolder folder;
    for (const char* name : {"a.mid", "b.mid", "c.mid"}) folder.write(name, TitledSong(name));
    for (const char* name : {"one", "two"}) folder.makeFolder(name);
    StartedForm started(folder.native());
    const Controls& controls = started.controls;
    controls.file1->setSelectedIndex(1);
    const QString report = controls.text1->toPlainText();
    if (!selected.isEmpty()) folder.write("b.mid", TitledSong("rewritten"));  // a report made now would differ
    QSignalSpy textChanges(controls.text1, &QPlainTextEdit::textChanged);
    QSignalSpy pathChanges(controls.dir1, &DirectoryList::pathChanged);

    const QStringList words = change.split(' ');
    const std::string name = words.value(1).toStdString();
    if (words[0] == "write") folder.write(name, TitledSong("new"));
    if (words[0] == "mkdir") folder.makeFolder(name);
    if (words[0] == "remove") std::filesystem::remove(folder.at(name));
    if (words[0] == "rename") std::filesystem::rename(folder.at(name), folder.at(words.value(2).toStdString()));

    QTRY_COMPARE(ShownNames(*controls.file1), files);
    QTRY_COMPARE(ShownNames(*controls.dir1).mid(controls.dir1->path().count('/') + 1), folders);
    QCOMPARE(SelectedName(*controls.file1), selected);
    QCOMPARE(textChanges.count(), 0);
    QCOMPARE(controls.text1->toPlainText(), report);
    QCOMPARE(pathChanges.count(), 0);
    if (!selected.isEmpty()) return;
    QTest::keyClick(controls.file1, Qt::Key_Up);  // the keys go on from where the file was
    QCOMPARE(SelectedName(*controls.file1), QStringLiteral("a.mid"));
}

void LivingFoldersTest::shownFolderGoneMovesUpQuietly_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("landing");
    QTest::newRow("shown folder removed") << "remove up/down" << "up";
    QTest::newRow("shown folder renamed") << "rename up/down" << "up";
    QTest::newRow("it and the one above removed") << "remove up" << "";
    QTest::newRow("shown folder made unreadable") << "lock up/down" << "up";
}

void LivingFoldersTest::shownFolderGoneMovesUpQuietly() {
    QFETCH(QString, how);
    QFETCH(QString, landing);
    TestFolder folder;
    folder.makeFolder("up/down/deeper");
    folder.write("up/down/in.mid", TitledSong("x"));
    folder.write("up/beside.mid", TitledSong("x"));
    folder.write("top.mid", TitledSong("x"));
    StartedForm started(folder.at("up/down"));
    const Controls& controls = started.controls;

    const QStringList words = how.split(' ');
    const std::string target = folder.at(words[1].toStdString());
    if (words[0] == "remove") std::filesystem::remove_all(target);
    if (words[0] == "rename") std::filesystem::rename(target, target + "-moved");
    if (words[0] == "lock") {
        std::filesystem::permissions(target, std::filesystem::perms::none);
        if (QDir(QString::fromStdString(target)).isReadable()) QSKIP("this user reads every folder (root)");
    }

    const QString expected = landing.isEmpty() ? folder.path() : QString::fromStdString(folder.at(landing.toStdString()));
    QTRY_COMPARE(controls.dir1->path(), expected);
    QCOMPARE(controls.file1->path(), expected);
    QCOMPARE(ShownNames(*controls.file1), QStringList{landing.isEmpty() ? "top.mid" : "beside.mid"});
    QCOMPARE(started.form.findChild<QMessageBox*>(), nullptr);
    if (words[0] == "lock") std::filesystem::permissions(target, std::filesystem::perms::owner_all);
}

void LivingFoldersTest::largeFolderIsSortedAndFollowsABurst() {
    // 5 000 names made out of order, in mixed case, with files of other
    // kinds and hidden ones beside them: shown in number order.
    constexpr int kCount = 2500;
    TestFolder folder;
    QStringList songs;
    for (int i = 0; i < kCount; ++i) songs << QString::fromStdString(Numbered(i % 2 ? "SONG %04d.MID" : "song %04d.smf", i));
    for (int i = kCount - 1; i >= 0; --i) {
        folder.write(songs[i].toStdString(), {});
        folder.write(Numbered(i % 100 ? "notes %04d.txt" : ".song %04d.mid", i), {});
    }
    for (int i = 0; i < 50; ++i) folder.makeFolder(Numbered("Folder %02d", i));
    StartedForm started(folder.native());
    const Controls& controls = started.controls;
    QCOMPARE(ShownNames(*controls.file1), songs);
    QCOMPARE(controls.dir1->model()->rowCount(), controls.dir1->path().count('/') + 1 + 50);

    // Another program removes the first half and writes as many new files,
    // while the person has one of the survivors selected.
    controls.file1->setSelectedIndex(2000);
    QSignalSpy listings(controls.file1->model(), &QAbstractItemModel::modelReset);
    QStringList onDisk;
    for (int i = 0; i < kCount / 2; ++i) {
        std::filesystem::remove(folder.at(songs[i].toStdString()));
        folder.write(Numbered("new %04d.mid", i), {});
        onDisk << QString::fromStdString(Numbered("new %04d.mid", i));
    }

    QTRY_COMPARE(ShownNames(*controls.file1), onDisk + songs.mid(kCount / 2));
    QCOMPARE(SelectedName(*controls.file1), songs[2000]);
    // Gathered: a few listings for 2 500 changes, never one a file.
    QVERIFY2(listings.count() < 50, qPrintable(QString::number(listings.count())));
}

QTEST_MAIN(LivingFoldersTest)
#include "LivingFoldersTest.moc"
