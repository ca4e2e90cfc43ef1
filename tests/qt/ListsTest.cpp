// The chain drive -> directory -> files and what each list shows; what cannot be opened gives a message, lists stay.
#include "WindowTestSupport.h"

class ListsTest : public QObject {
    Q_OBJECT
    struct Opening { QString how; std::string start; QString target; std::string landing; };
    const QString kPathNotFound = QStringLiteral("実行時エラー '76':\n\nパスが見つかりません。");

private slots:
    void startingInOrOpeningAFolderListsIt_data() {
        QTest::addColumn<Opening>("row");
        QTest::newRow("started in it") << Opening{"", "up", "sub", "up"};
        QTest::newRow("double-click a subfolder") << Opening{"double-click", "up", "sub", "up/sub"};
        QTest::newRow("Return on a subfolder") << Opening{"Return", "up", "sub", "up/sub"};
        QTest::newRow("Enter on a subfolder") << Opening{"Enter", "up", "sub", "up/sub"};
        QTest::newRow("a single click only highlights") << Opening{"click", "up", "sub", "up"};
        QTest::newRow("path property set to a missing folder") << Opening{"path", "up", "sub", "up"};
    }

    void startingInOrOpeningAFolderListsIt() {
        QFETCH(Opening, row);
        TestFolder folder;
        // Folders sort ignoring case, hidden ones are left out, and one named like a song is a folder.
        StartedForm window(folder.make({"up/top.mid", "up/sub/deep.smf", "up/Zeta/", "up/alpha/", "up/.hidden/",
                                        "up/beta.mid/"}) + "/" + row.start);
        DirectoryList& dir1 = *window.dir1;
        const int target = RowNamed(dir1, row.target);
        if (row.how == "path") QVERIFY(dir1.setProperty("path", QString::fromStdString(folder.at("up/gone"))));
        if (row.how == "double-click") DoubleClick(dir1, row.target);
        if (row.how == "click") QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, CenterOfRow(dir1, target));
        if (row.how == "Return" || row.how == "Enter") dir1.setCurrentIndex(dir1.model()->index(target, 0));
        if (row.how == "Return" || row.how == "Enter") QTest::keySequence(&dir1, QKeySequence(row.how));

        QCOMPARE(TakeFailureMessage(window.form), row.how == "path" ? kPathNotFound : QString());
        const QString landing = QString::fromStdString(folder.at(row.landing));
        const QStringList chain = ChainTo(window, landing);
        const bool isUp = row.landing == "up";
        QCOMPARE(ShownNames(dir1), chain + (isUp ? QStringList{"alpha", "beta.mid", "sub", "Zeta"} : QStringList()));
        // The folder itself is highlighted, the chain's last row, unless a single click highlighted another.
        QCOMPARE(dir1.currentIndex().row(), row.how == "click" ? target : chain.size() - 1);
        QCOMPARE(QStringList({dir1.path(), window.file1->path()}), QStringList(2, landing));
        QCOMPARE(ShownNames(*window.file1), QStringList{isUp ? "top.mid" : "deep.smf"});
        QVERIFY(folder.path().startsWith(window.drive1->drive()));
        QCOMPARE(window.file1->selectedIndex(), -1);
        QVERIFY(window.text1->toPlainText().isEmpty());
        // Each folder of the chain drawn a step further in than the one above it, its subfolders a step further.
        const QList<int> lefts = InkLefts(dir1);
        QVERIFY(lefts[1] > lefts[0]);
        for (int row = 2; row < lefts.size() && lefts[row] >= 0; ++row)
            QCOMPARE(lefts[row] - lefts[0], std::min(row, int(chain.size())) * (lefts[1] - lefts[0]));
    }

    void shiftJisNamesAreListedReadablyAndOpen() {
        // "日本" and "タイトル" in code page 932: bytes that are not UTF-8.
        const std::string japan = "\x93\xFA\x96\x7B";
        TestFolder folder;
        StartedForm window(folder.make({japan + "/sub/", japan + "/\x83\x5E\x83\x43\x83\x67\x83\x8B.mid:Song"}));

        DoubleClick(*window.dir1, QStringLiteral("日本"));
        QCOMPARE(window.file1->path(), folder.path() + QStringLiteral("/日本"));
        QCOMPARE(ShownNames(*window.file1), QStringList{QStringLiteral("タイトル.mid")});
        window.file1->setSelectedIndex(0);
        QCOMPARE(ReportLine(*window.text1, 0), FileLine(folder.path() + QStringLiteral("/日本/タイトル.mid")));
        QCOMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ Song"));  // the file was opened

        // The path property takes what it reads, from another folder too.
        const QString shown = window.dir1->path();
        window.dir1->setPath(folder.path());
        QVERIFY(window.dir1->setProperty("path", shown));
        QCOMPARE(TakeFailureMessage(window.form), QString());
        QCOMPARE(window.dir1->nativePath(), folder.at(japan));
        QCOMPARE(window.file1->path(), folder.path() + QStringLiteral("/日本"));
    }

    void driveChangeMovesDirectoryAndFiles() {
        TestFolder volume;
        StartedForm window(volume.make({"on-volume.smf", "inside/"}));
        auto shown = [&] { return QStringList{window.drive1->drive(), window.dir1->path(), window.file1->path()}; };
        const Runtime::Volume root{"/", "ext4", "/dev/vda", ""}, usb{volume.native(), "vfat", "/dev/sdb1", "USB"};
        window.drive1->setVolumes({root, usb, {volume.at("unplugged"), "vfat", "/dev/sdc1", "GONE"},
                                   {volume.at("inside"), "vfat", "/dev/sdd1", ""}});

        window.drive1->setCurrentIndex(1);
        QVERIFY(window.drive1->currentText().endsWith(QStringLiteral(" [USB]")));
        QCOMPARE(shown(), QStringList(3, volume.path()));
        // The chain starts at the drive's root, also for the folder shown already.
        QCOMPARE(ShownNames(*window.dir1), QStringList({volume.path(), "inside"}));
        QCOMPARE(ShownNames(*window.file1), QStringList{"on-volume.smf"});

        // A volume that cannot be opened: the message, and the lists stay; the next arrow key moves on past it.
        const QString inside = volume.path() + "/inside";
        for (const auto& [key, failure, landing] : {std::tuple{Qt::Key_Down, kPathNotFound, volume.path()},
                                                    {Qt::Key_Down, QString(), inside}, {Qt::Key_Up, kPathNotFound, inside},
                                                    {Qt::Key_Up, QString(), volume.path()}}) {
            QTest::keyClick(window.drive1, key);
            QCOMPARE(TakeFailureMessage(window.form), failure);
            QCOMPARE(shown(), QStringList(3, landing));
        }
        QCOMPARE(ShownNames(*window.file1), QStringList{"on-volume.smf"});
    }
};

QTEST_MAIN(ListsTest)
#include "ListsTest.moc"
