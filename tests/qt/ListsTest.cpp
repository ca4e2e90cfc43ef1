// The chain drive -> directory -> files and what each list shows; a folder
// or drive that cannot be opened gives a message box, and the lists stay.
#include "WindowTestSupport.h"

namespace {

const QString kPathNotFound = QStringLiteral("実行時エラー '76':\n\nパスが見つかりません。");

struct Opening { QString how; std::string start; QString target; std::string shownAfter; };

}  // namespace

class ListsTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheCurrentFolder() {
        TestFolder folder;
        folder.make({"here/Zeta/", "here/alpha/", "here/.hidden/", "here/beta.mid/", "here/file.mid"});
        StartedForm window(folder.at("here"));

        const QStringList chain = ChainTo(window, folder.path() + "/here");
        QCOMPARE(ShownNames(*window.dir1), chain + QStringList({"alpha", "beta.mid", "Zeta"}));
        // The folder itself stays highlighted: the chain's last row, not a subfolder.
        QCOMPARE(window.dir1->currentIndex().row(), chain.size() - 1);
        QCOMPARE(ShownNames(*window.file1), QStringList{"file.mid"});
        QVERIFY(folder.path().startsWith(window.drive1->drive()));
        QCOMPARE(window.file1->selectedIndex(), -1);
        QVERIFY(window.text1->toPlainText().isEmpty());
    }

    void openingAFolderMovesTheFileList_data() {
        QTest::addColumn<Opening>("row");
        QTest::newRow("double-click a subfolder") << Opening{"double-click", "up", "sub", "up/sub"};
        QTest::newRow("Return on a subfolder") << Opening{"Key Return", "up", "sub", "up/sub"};
        QTest::newRow("Enter on a subfolder") << Opening{"Key Enter", "up", "sub", "up/sub"};
        QTest::newRow("double-click a folder of the chain") << Opening{"double-click", "up/sub", "up", "up"};
        QTest::newRow("a single click only highlights") << Opening{"click", "up", "sub", "up"};
        // Removed before the event loop ran, so the list still shows it.
        QTest::newRow("a folder removed: message, lists stay") << Opening{"remove, double-click", "up", "sub", "up"};
        QTest::newRow("path property set to a missing folder") << Opening{"missing, property", "up", "sub", "up"};
    }

    void openingAFolderMovesTheFileList() {
        QFETCH(Opening, row);
        TestFolder folder;
        folder.make({"up/top.mid", "up/sub/deep.smf"});
        StartedForm window(folder.at(row.start));
        const int target = RowNamed(*window.dir1, row.target);
        QVERIFY(target >= 0);
        if (row.how.startsWith("remove")) folder.change("remove up/sub");

        if (row.how.endsWith("property"))
            QVERIFY(window.dir1->setProperty("path", QString::fromStdString(folder.at("up/gone"))));
        else if (row.how.endsWith("double-click")) DoubleClick(*window.dir1, row.target);
        else if (row.how == "click") QTest::mouseClick(window.dir1->viewport(), Qt::LeftButton, {}, CenterOfRow(*window.dir1, target));
        else window.dir1->setCurrentIndex(window.dir1->model()->index(target, 0));
        if (row.how == "click") QCOMPARE(window.dir1->currentIndex().row(), target);
        if (row.how.startsWith("Key")) QTest::keyClick(window.dir1, row.how.endsWith("Return") ? Qt::Key_Return : Qt::Key_Enter);

        const bool fails = row.how.startsWith("remove") || row.how.startsWith("missing");
        QCOMPARE(TakeFailureMessage(window.form), fails ? kPathNotFound : QString());
        const QString expected = QString::fromStdString(folder.at(row.shownAfter));
        QCOMPARE(window.dir1->path(), expected);
        QCOMPARE(window.file1->path(), expected);
        QCOMPARE(ShownNames(*window.file1), QStringList{row.shownAfter.ends_with("sub") ? "deep.smf" : "top.mid"});
    }

    void shiftJisNamesAreListedReadablyAndOpen() {
        // "日本" and "タイトル" in code page 932: bytes that are not UTF-8.
        const std::string japan = "\x93\xFA\x96\x7B";
        TestFolder folder;
        folder.make({japan + "/sub/", japan + "/\x83\x5E\x83\x43\x83\x67\x83\x8B.mid:Song"});
        StartedForm window(folder.native());

        DoubleClick(*window.dir1, QStringLiteral("日本"));
        QCOMPARE(window.file1->path(), folder.path() + QStringLiteral("/日本"));
        QCOMPARE(ShownNames(*window.file1), QStringList{QStringLiteral("タイトル.mid")});
        window.file1->setSelectedIndex(0);
        QCOMPARE(ReportLine(*window.text1, 0), FileLine(folder.path() + QStringLiteral("/日本/タイトル.mid")));
        QCOMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ Song"));  // the file was opened

        // The folder shown, set again: nothing raised, the selections stay.
        const int highlighted = RowNamed(*window.dir1, "sub");
        window.dir1->setCurrentIndex(window.dir1->model()->index(highlighted, 0));
        QSignalSpy dirChanges(window.dir1, &DirectoryList::pathChanged);
        QSignalSpy fileChanges(window.file1, &FileList::pathChanged);
        window.dir1->setNativePath(window.dir1->nativePath());
        window.file1->setNativePath(window.file1->nativePath());
        QCOMPARE(dirChanges.count() + fileChanges.count(), 0);
        QCOMPARE(window.file1->selectedIndex(), 0);
        QCOMPARE(window.dir1->currentIndex().row(), highlighted);
        // The path property takes what it reads, from another folder too.
        const QString shown = window.dir1->path();
        window.dir1->setPath(folder.path());
        QVERIFY(window.dir1->setProperty("path", shown));
        QCOMPARE(TakeFailureMessage(window.form), QString());
        QCOMPARE(window.dir1->nativePath(), folder.at(japan));
        QCOMPARE(window.file1->nativePath(), folder.at(japan));
    }

    void driveChangeMovesDirectoryAndFiles() {
        TestFolder volume;
        volume.make({"on-volume.smf", "inside/"});
        StartedForm window(volume.native());
        const Runtime::Volume root{"/", "ext4", "/dev/vda", ""}, usb{volume.native(), "vfat", "/dev/sdb1", "USB"};
        window.drive1->setVolumes({root, usb, {volume.at("unplugged"), "vfat", "/dev/sdc1", "GONE"}});

        window.drive1->setCurrentIndex(1);
        QVERIFY(window.drive1->currentText().endsWith(QStringLiteral(" [USB]")));
        QCOMPARE(window.dir1->path(), volume.path());
        // The chain starts at the drive's root, also for the folder shown already.
        QCOMPARE(ShownNames(*window.dir1), QStringList({volume.path(), "inside"}));
        QCOMPARE(ShownNames(*window.file1), QStringList{"on-volume.smf"});

        // A volume that cannot be opened: the message, and the lists stay.
        window.drive1->setCurrentIndex(2);
        QCOMPARE(TakeFailureMessage(window.form), kPathNotFound);
        QCOMPARE(window.drive1->drive(), volume.path());
        QCOMPARE(window.dir1->path(), volume.path());
        QCOMPARE(ShownNames(*window.file1), QStringList{"on-volume.smf"});
        // Read again with a volume plugged in before it: the current one stays.
        window.drive1->setVolumes({root, {volume.at("new"), "vfat", "/dev/sdd1", "NEW"}, usb});
        QCOMPARE(window.drive1->drive(), volume.path());
        QCOMPARE(window.dir1->path(), volume.path());
        // The current volume is unplugged: the lists go to the first one left.
        window.drive1->setVolumes({root});
        QCOMPARE(window.drive1->drive(), QStringLiteral("/"));
        QCOMPARE(window.file1->path(), QStringLiteral("/"));
    }

    void startFolderGoneStartsAtTheRoot() {
        TestFolder folder;
        folder.make({"gone/"});
        QVERIFY(QDir::setCurrent(QString::fromStdString(folder.at("gone"))));
        folder.change("remove gone");
        Form1 form;
        QCOMPARE(TakeFailureMessage(form), kPathNotFound);
        QCOMPARE(form.findChild<DirectoryList*>()->path(), QStringLiteral("/"));
        QCOMPARE(form.findChild<FileList*>()->path(), QStringLiteral("/"));
    }
};

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
