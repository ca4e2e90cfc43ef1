// The chain drive -> directory -> files and what each list shows; a folder
// or drive that cannot be opened gives a message box, and the lists stay.
#include <QMessageBox>
#include <QTest>

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
    void startsOnTheCurrentFolder();
    void openingAFolderMovesTheFileList_data();
    void openingAFolderMovesTheFileList();
    void shiftJisNamesAreListedReadablyAndOpen();
    void driveChangeMovesDirectoryAndFiles();
};

void ListsTest::startsOnTheCurrentFolder() {
    TestFolder folder;
    for (const char* sub : {"here/Zeta", "here/alpha", "here/.hidden", "here/beta.mid"}) folder.makeFolder(sub);
    folder.write("here/file.mid", TitledSong("x"));
    StartedForm started(folder.at("here"));
    const Controls& controls = started.controls;

    QStringList chain{"/"};
    chain << QString::fromStdString(folder.at("here")).split('/', Qt::SkipEmptyParts);
    QCOMPARE(ShownNames(*controls.dir1), chain + QStringList({"alpha", "beta.mid", "Zeta"}));
    // The folder itself stays highlighted, as in a classic directory list.
    QCOMPARE(controls.dir1->currentIndex().row(), chain.size() - 1);
    QCOMPARE(ShownNames(*controls.file1), QStringList{"file.mid"});
    QVERIFY(folder.path().startsWith(controls.drive1->drive()));
    QCOMPARE(controls.file1->selectedIndex(), -1);
    QVERIFY(controls.text1->toPlainText().isEmpty());
}

void ListsTest::openingAFolderMovesTheFileList_data() {
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
}

void ListsTest::openingAFolderMovesTheFileList() {
    QFETCH(QString, how);
    QFETCH(QString, start);
    QFETCH(QString, target);
    QFETCH(QString, shownAfter);
    TestFolder folder;
    folder.makeFolder("up/sub");
    folder.write("up/top.mid", TitledSong("x"));
    folder.write("up/sub/deep.smf", TitledSong("x"));
    StartedForm started(folder.at(start.toStdString()));
    const Controls& controls = started.controls;
    const int row = RowNamed(*controls.dir1, target);
    QVERIFY(row >= 0);
    if (how.startsWith("remove")) std::filesystem::remove_all(folder.at("up/sub"));

    if (how.endsWith("double-click")) {
        DoubleClick(controls.dir1->viewport(), CenterOfRow(*controls.dir1, row));
    } else if (how == "click") {
        QTest::mouseClick(controls.dir1->viewport(), Qt::LeftButton, {}, CenterOfRow(*controls.dir1, row));
        QCOMPARE(controls.dir1->currentIndex().row(), row);
    } else {
        controls.dir1->setCurrentIndex(controls.dir1->model()->index(row, 0));
        QTest::keyClick(controls.dir1, how == "return" ? Qt::Key_Return : Qt::Key_Enter);
    }

    QCOMPARE(TakeFailureMessage(started.form), how.startsWith("remove") ? kPathNotFound : QString());
    const QString expected = QString::fromStdString(folder.at(shownAfter.toStdString()));
    QCOMPARE(controls.dir1->path(), expected);
    QCOMPARE(controls.file1->path(), expected);
    QCOMPARE(ShownNames(*controls.file1), QStringList{shownAfter.endsWith("sub") ? "deep.smf" : "top.mid"});
}

void ListsTest::shiftJisNamesAreListedReadablyAndOpen() {
    // "日本" and "タイトル" in code page 932: bytes that are not UTF-8.
    const std::string japanFolder = "\x93\xFA\x96\x7B";
    TestFolder folder;
    folder.makeFolder(japanFolder);
    folder.write(japanFolder + "/\x83\x5E\x83\x43\x83\x67\x83\x8B.mid", TitledSong("Song"));
    StartedForm started(folder.native());
    const Controls& controls = started.controls;
    const int row = RowNamed(*controls.dir1, QStringLiteral("日本"));
    QVERIFY(row >= 0);

    DoubleClick(controls.dir1->viewport(), CenterOfRow(*controls.dir1, row));
    QCOMPARE(controls.file1->path(), folder.path() + QStringLiteral("/日本"));
    QCOMPARE(ShownNames(*controls.file1), QStringList{QStringLiteral("タイトル.mid")});
    controls.file1->setSelectedIndex(0);

    QCOMPARE(ReportLine(*controls.text1, 0), QStringLiteral("ファイル名－ ") + folder.path() + "/日本/タイトル.mid");
    QCOMPARE(ReportLine(*controls.text1, 6), QStringLiteral("タイトル－ Song"));  // the file was opened
}

void ListsTest::driveChangeMovesDirectoryAndFiles() {
    TestFolder start;
    TestFolder volume;
    volume.write("on-volume.smf", TitledSong("V"));
    volume.makeFolder("inside");
    StartedForm started(start.native());
    const Controls& controls = started.controls;
    controls.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""}, {volume.native(), "vfat", "/dev/sdb1", "USB"},
                                 {volume.at("unplugged"), "vfat", "/dev/sdc1", "GONE"}});

    controls.drive1->setCurrentIndex(1);
    QVERIFY(controls.drive1->currentText().endsWith(QStringLiteral(" [USB]")));
    QCOMPARE(controls.dir1->path(), volume.path());
    QCOMPARE(ShownNames(*controls.dir1).last(), QStringLiteral("inside"));
    QCOMPARE(ShownNames(*controls.file1), QStringList{"on-volume.smf"});

    // A volume that cannot be opened: the message, and the lists stay.
    controls.drive1->setCurrentIndex(2);
    QCOMPARE(TakeFailureMessage(started.form), kPathNotFound);
    QCOMPARE(controls.drive1->drive(), volume.path());
    QCOMPARE(controls.dir1->path(), volume.path());
    QCOMPARE(ShownNames(*controls.file1), QStringList{"on-volume.smf"});
    // The tool goes on: the next choice works.
    controls.drive1->setCurrentIndex(0);
    QCOMPARE(controls.file1->path(), QStringLiteral("/"));
}

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
