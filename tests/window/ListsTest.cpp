// The chain drive -> directory -> files, and what each list shows.
#include <QTest>

#include <filesystem>

#include "WindowTestSupport.h"

class ListsTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheCurrentFolder();
    void driveChangeMovesDirectoryAndFiles();
    void fileListShowsMatchingFilesOnly_data();
    void fileListShowsMatchingFilesOnly();
    void directoryListShowsChainThenSubfolders();
    void openingAFolderMovesTheFileList_data();
    void openingAFolderMovesTheFileList();
    void singleClickOnlyHighlights();
    void shiftJisNamesAreListedReadablyAndOpen();
};

void ListsTest::startsOnTheCurrentFolder() {
    TestFolder folder;
    folder.write("song.mid", TitledSong("Song"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    const Controls controls(form);
    QVERIFY(controls.allFound());
    QCOMPARE(controls.dir1->path(), folder.path());
    QCOMPARE(controls.file1->path(), folder.path());
    QCOMPARE(ShownNames(*controls.file1), QStringList{"song.mid"});
    QVERIFY(folder.path().startsWith(controls.drive1->drive()));
    QCOMPARE(controls.file1->selectedIndex(), -1);
    QVERIFY(controls.text1->toPlainText().isEmpty());
}

void ListsTest::driveChangeMovesDirectoryAndFiles() {
    TestFolder start;
    TestFolder volume;
    volume.write("on-volume.smf", TitledSong("V"));
    volume.makeFolder("inside");
    QVERIFY(QDir::setCurrent(start.path()));
    Form1 form;
    const Controls controls(form);
    controls.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""}, {volume.native(), "vfat", "/dev/sdb1", "USB"}});

    controls.drive1->setCurrentIndex(1);

    QCOMPARE(controls.drive1->drive(), volume.path());
    QCOMPARE(controls.dir1->path(), volume.path());
    QCOMPARE(ShownNames(*controls.dir1).last(), QStringLiteral("inside"));
    QCOMPARE(controls.file1->path(), volume.path());
    QCOMPARE(ShownNames(*controls.file1), QStringList{"on-volume.smf"});
    QVERIFY(controls.drive1->currentText().endsWith(QStringLiteral(" [USB]")));
}

void ListsTest::fileListShowsMatchingFilesOnly_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("either extension, any letter case")
        << QStringList{"a.mid", "b.MID", "c.Smf", "d.sMf", "e.MiD"}
        << QStringList{"a.mid", "b.MID", "c.Smf", "d.sMf", "e.MiD"};
    QTest::newRow("other names left out")
        << QStringList{"a.midi", "b.txt", "cmid", "d.mid.bak", "e.smf~", ".mid", "keep.mid"}
        << QStringList{"keep.mid"};
    QTest::newRow("hidden files left out")
        << QStringList{".hidden.mid", ".x.smf", "seen.mid"} << QStringList{"seen.mid"};
    QTest::newRow("sorted ignoring case")
        << QStringList{"b.mid", "C.mid", "a.MID", "B2.smf"}
        << QStringList{"a.MID", "b.mid", "B2.smf", "C.mid"};
}

void ListsTest::fileListShowsMatchingFilesOnly() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, shown);
    TestFolder folder;
    for (const QString& name : files) folder.write(name.toStdString(), TitledSong("x"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    QCOMPARE(ShownNames(*Controls(form).file1), shown);
}

void ListsTest::directoryListShowsChainThenSubfolders() {
    TestFolder folder;
    for (const char* sub : {"here/Zeta", "here/alpha", "here/.hidden", "here/beta.mid"}) folder.makeFolder(sub);
    folder.write("here/file.mid", TitledSong("x"));
    std::filesystem::create_directory_symlink(folder.at("here/alpha"), folder.at("here/link"));
    std::filesystem::create_directory_symlink(folder.at("nowhere"), folder.at("here/broken"));
    QVERIFY(QDir::setCurrent(QString::fromStdString(folder.at("here"))));
    Form1 form;
    const Controls controls(form);

    QStringList chain{"/"};
    chain << QString::fromStdString(folder.at("here")).split('/', Qt::SkipEmptyParts);
    const QStringList subfolders{"alpha", "beta.mid", "link", "Zeta"};
    QCOMPARE(ShownNames(*controls.dir1), chain + subfolders);
    // The folder itself stays highlighted, as in a classic directory list.
    QCOMPARE(controls.dir1->currentIndex().row(), chain.size() - 1);
    QCOMPARE(ShownNames(*controls.file1), QStringList{"file.mid"});
}

void ListsTest::openingAFolderMovesTheFileList_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expectedPath");
    QTest::newRow("double-click a subfolder") << "double-click" << "sub" << "/sub";
    QTest::newRow("Return on a subfolder") << "return" << "sub" << "/sub";
    QTest::newRow("Enter on a subfolder") << "enter" << "sub" << "/sub";
    QTest::newRow("double-click a folder of the chain") << "double-click" << "up" << "";
}

void ListsTest::openingAFolderMovesTheFileList() {
    QFETCH(QString, how);
    QFETCH(QString, target);
    QFETCH(QString, expectedPath);
    TestFolder folder;
    folder.makeFolder("up/sub");
    folder.write("up/top.mid", TitledSong("x"));
    folder.write("up/sub/deep.smf", TitledSong("x"));
    const std::string start = folder.at(target == "sub" ? "up" : "up/sub");
    QVERIFY(QDir::setCurrent(QString::fromStdString(start)));
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const Controls controls(form);
    const int row = RowNamed(*controls.dir1, target);
    QVERIFY(row >= 0);

    if (how == "double-click") {
        DoubleClick(controls.dir1->viewport(), CenterOfRow(*controls.dir1, row));
    } else {
        controls.dir1->setCurrentIndex(controls.dir1->model()->index(row, 0));
        QTest::keyClick(controls.dir1, how == "return" ? Qt::Key_Return : Qt::Key_Enter);
    }

    const QString expected = QString::fromStdString(folder.at("up")) + expectedPath;
    QCOMPARE(controls.dir1->path(), expected);
    QCOMPARE(controls.file1->path(), expected);
    QCOMPARE(ShownNames(*controls.file1), QStringList{target == "sub" ? "deep.smf" : "top.mid"});
}

void ListsTest::singleClickOnlyHighlights() {
    TestFolder folder;
    folder.makeFolder("sub");
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const Controls controls(form);
    const int row = RowNamed(*controls.dir1, "sub");

    QTest::mouseClick(controls.dir1->viewport(), Qt::LeftButton, {}, CenterOfRow(*controls.dir1, row));

    QCOMPARE(controls.dir1->currentIndex().row(), row);
    QCOMPARE(controls.dir1->path(), folder.path());
    QCOMPARE(controls.file1->path(), folder.path());
}

void ListsTest::shiftJisNamesAreListedReadablyAndOpen() {
    // "日本" and "タイトル" in code page 932: bytes that are not UTF-8.
    const std::string japanFolder = "\x93\xFA\x96\x7B";
    const std::string titleFile = "\x83\x5E\x83\x43\x83\x67\x83\x8B.mid";
    TestFolder folder;
    folder.makeFolder(japanFolder);
    folder.write(japanFolder + "/" + titleFile, TitledSong("Song"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const Controls controls(form);
    const int row = RowNamed(*controls.dir1, QStringLiteral("日本"));
    QVERIFY(row >= 0);

    DoubleClick(controls.dir1->viewport(), CenterOfRow(*controls.dir1, row));
    QCOMPARE(controls.file1->path(), folder.path() + QStringLiteral("/日本"));
    QCOMPARE(ShownNames(*controls.file1), QStringList{QStringLiteral("タイトル.mid")});
    controls.file1->setSelectedIndex(0);

    QCOMPARE(ReportLine(*controls.text1, 0), QStringLiteral("ファイル名－ ") + folder.path() + "/日本/タイトル.mid");
    QCOMPARE(ReportLine(*controls.text1, 6), QStringLiteral("タイトル－ Song"));  // the file was opened
}

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
