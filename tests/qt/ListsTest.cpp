// The chain drive -> directory -> files and what each list shows; a folder
// or drive that cannot be opened gives a message box, and the lists stay.
#include <QMessageBox>
#include <QSignalSpy>

#include "WindowTestSupport.h"

namespace {

// Takes the failure message Form1 shows and closes it, as pressing OK does.
QString TakeFailureMessage(Form1& form) {
    auto* box = form.findChild<QMessageBox*>(QStringLiteral("FailureMessage"));
    const QString text = box != nullptr && box->isVisible() ? box->text() : QString();
    delete box;
    return text;
}

const QString kPathNotFound = QStringLiteral("実行時エラー '76':\n\nパスが見つかりません。");

}  // namespace

class ListsTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheCurrentFolder() {
        TestFolder folder;
        for (const char* sub : {"here/Zeta", "here/alpha", "here/.hidden", "here/beta.mid"}) folder.makeFolder(sub);
        folder.Write("here/file.mid", TitledSong("x"));
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
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("double-click a subfolder") << "double-click" << "up" << "sub" << "up/sub";
        QTest::newRow("Return on a subfolder") << "return" << "up" << "sub" << "up/sub";
        QTest::newRow("Enter on a subfolder") << "enter" << "up" << "sub" << "up/sub";
        QTest::newRow("double-click a folder of the chain") << "double-click" << "up/sub" << "up" << "up";
        QTest::newRow("a single click only highlights") << "click" << "up" << "sub" << "up";
        // Removed before the event loop ran, so the list still shows it.
        QTest::newRow("a folder removed: message, lists stay") << "remove, double-click" << "up" << "sub" << "up";
        QTest::newRow("path property set to a missing folder") << "missing, property" << "up" << "sub" << "up";
    }

    void openingAFolderMovesTheFileList() {
        QFETCH(QString, how);
        QFETCH(QString, start);
        QFETCH(QString, target);
        QFETCH(QString, shownAfter);
        TestFolder folder;
        folder.makeFolder("up/sub");
        folder.Write("up/top.mid", TitledSong("x"));
        folder.Write("up/sub/deep.smf", TitledSong("x"));
        StartedForm window(folder.at(start.toStdString()));
        const int row = RowNamed(*window.dir1, target);
        QVERIFY(row >= 0);
        if (how.startsWith("remove")) std::filesystem::remove_all(folder.at("up/sub"));

        if (how.endsWith("property")) {
            QVERIFY(window.dir1->setProperty("path", QString::fromStdString(folder.at("up/gone"))));
        } else if (how.endsWith("double-click")) {
            DoubleClick(window.dir1->viewport(), CenterOfRow(*window.dir1, row));
        } else if (how == "click") {
            QTest::mouseClick(window.dir1->viewport(), Qt::LeftButton, {}, CenterOfRow(*window.dir1, row));
            QCOMPARE(window.dir1->currentIndex().row(), row);
        } else {
            window.dir1->setCurrentIndex(window.dir1->model()->index(row, 0));
            QTest::keyClick(window.dir1, how == "return" ? Qt::Key_Return : Qt::Key_Enter);
        }

        const bool fails = how.startsWith("remove") || how.startsWith("missing");
        QCOMPARE(TakeFailureMessage(window.form), fails ? kPathNotFound : QString());
        const QString expected = QString::fromStdString(folder.at(shownAfter.toStdString()));
        QCOMPARE(window.dir1->path(), expected);
        QCOMPARE(window.file1->path(), expected);
        QCOMPARE(ShownNames(*window.file1), QStringList{shownAfter.endsWith("sub") ? "deep.smf" : "top.mid"});
    }

    void shiftJisNamesAreListedReadablyAndOpen() {
        // "日本" and "タイトル" in code page 932: bytes that are not UTF-8.
        const std::string japan = "\x93\xFA\x96\x7B";
        TestFolder folder;
        folder.makeFolder(japan + "/sub");
        folder.Write(japan + "/\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", TitledSong("Song"));
        StartedForm window(folder.native());
        const int row = RowNamed(*window.dir1, QStringLiteral("日本"));
        QVERIFY(row >= 0);

        DoubleClick(window.dir1->viewport(), CenterOfRow(*window.dir1, row));
        QCOMPARE(window.file1->path(), folder.path() + QStringLiteral("/日本"));
        QCOMPARE(ShownNames(*window.file1), QStringList{QStringLiteral("タイトル.mid")});
        window.file1->setSelectedIndex(0);
        QCOMPARE(ReportLine(*window.text1, 0), QStringLiteral("ファイル名－ ") + folder.path() + "/日本/タイトル.mid");
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
        volume.Write("on-volume.smf", TitledSong("V"));
        volume.makeFolder("inside");
        StartedForm window(volume.native());
        window.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""}, {volume.native(), "vfat", "/dev/sdb1", "USB"},
                                   {volume.at("unplugged"), "vfat", "/dev/sdc1", "GONE"}});

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
        window.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""}, {volume.at("new"), "vfat", "/dev/sdd1", "NEW"},
                                   {volume.native(), "vfat", "/dev/sdb1", "USB"}});
        QCOMPARE(window.drive1->drive(), volume.path());
        QCOMPARE(window.dir1->path(), volume.path());
        // The current volume is unplugged: the lists go to the first one left.
        window.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""}});
        QCOMPARE(window.drive1->drive(), QStringLiteral("/"));
        QCOMPARE(window.file1->path(), QStringLiteral("/"));
    }

    void startFolderGoneStartsAtTheRoot() {
        TestFolder folder;
        folder.makeFolder("gone");
        QVERIFY(QDir::setCurrent(QString::fromStdString(folder.at("gone"))));
        std::filesystem::remove(folder.at("gone"));
        Form1 form;
        QCOMPARE(TakeFailureMessage(form), kPathNotFound);
        QCOMPARE(form.findChild<DirectoryList*>()->path(), QStringLiteral("/"));
        QCOMPARE(form.findChild<FileList*>()->path(), QStringLiteral("/"));
    }
};

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
