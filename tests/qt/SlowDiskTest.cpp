// The window on a disk that answers slowly or not at all: a FUSE file
// system made by the tests. The event loop keeps running, the right reports
// and listings arrive, and the window closes at once with a read hanging.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <memory>

#include "SlowMount.h"
#include "WindowTestSupport.h"

namespace {

// Songs in a source folder, shown slowly under a mount point.
struct SlowDisk {
    explicit SlowDisk(int delayMilliseconds) : mount(source.native(), point.native(), delayMilliseconds) {
        source.Write("a.mid", TitledSong("Alpha"));
        source.Write("slow.mid", TitledSong("Slow"));
        source.Write("hung.mid", TitledSong("Hung"));
        for (const char* folder : {"slow folder", "hung folder"}) {
            source.makeFolder(folder);
            source.Write(std::string(folder) + "/inside.mid", TitledSong("Inside"));
        }
    }
    // A folder in use cannot be unmounted: leave it before the mount goes.
    ~SlowDisk() { QDir::setCurrent(QDir::tempPath()); }

    TestFolder source;
    TestFolder point;
    SlowMount mount;
};

#define SKIP_UNLESS_MOUNTED(disk) \
    if (!(disk).mount.isMounted()) QSKIP(qPrintable((disk).mount.failure()))

constexpr qint64 kLongestGap = 50;  // milliseconds the window may stop for

// Moves the pointer to and fro over a row for a while, the event loop
// running between moves as it does between a person's.
void HoverOver(FileList& list, int row, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        MoveMouse(list.viewport(), CenterOfRow(list, row) + QPoint(waited % 20, 0));
        QTest::qWait(10);
    }
}

QString FirstLine(const TestFolder& folder, const QString& name) {
    return QStringLiteral("ファイル名－ ") + folder.path() + "/" + name;
}

}  // namespace

class SlowDiskTest : public QObject {
    Q_OBJECT

private slots:
    void pointerOverASlowFileLeavesTheWindowAnswering_data() {
        QTest::addColumn<int>("delay");
        QTest::newRow("reads of 5 ms") << 5;
        QTest::newRow("reads of 300 ms") << 300;
    }

    void pointerOverASlowFileLeavesTheWindowAnswering() {
        QFETCH(int, delay);
        SlowDisk disk(delay);
        SKIP_UNLESS_MOUNTED(disk);
        StartedForm window(disk.point.native());
        QVERIFY(window.isStarted);
        const int row = RowNamed(*window.file1, QStringLiteral("slow.mid"));
        QVERIFY(row >= 0);
        const EventLoopGaps gaps;

        window.file1->setSelectedIndex(row);
        HoverOver(*window.file1, row, 800);

        QTRY_COMPARE_WITH_TIMEOUT(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ Slow"), 10000);
        QCOMPARE(ReportLine(*window.text1, 0), FirstLine(disk.point, QStringLiteral("slow.mid")));
        QVERIFY2(gaps.worstMilliseconds() < kLongestGap, qPrintable(QString::number(gaps.worstMilliseconds())));
    }

    void hungReadNamesTheFileAndOthersStillArrive() {
        SlowDisk disk(0);
        SKIP_UNLESS_MOUNTED(disk);
        StartedForm window(disk.point.native());
        QVERIFY(window.isStarted);
        const EventLoopGaps gaps;

        const int hung = RowNamed(*window.file1, QStringLiteral("hung.mid"));
        window.file1->setSelectedIndex(hung);
        HoverOver(*window.file1, hung, 400);
        QTRY_COMPARE(ReportLine(*window.text1, 2), QStringLiteral("読み込み中…"));
        QCOMPARE(ReportLine(*window.text1, 0), FirstLine(disk.point, QStringLiteral("hung.mid")));

        // Another file, while the read of the first still hangs.
        const int other = RowNamed(*window.file1, QStringLiteral("a.mid"));
        window.file1->setSelectedIndex(other);
        HoverOver(*window.file1, other, 100);
        QTRY_COMPARE(ReportLine(*window.text1, 6), QStringLiteral("タイトル－ Alpha"));
        QCOMPARE(ReportLine(*window.text1, 0), FirstLine(disk.point, QStringLiteral("a.mid")));
        QVERIFY2(gaps.worstMilliseconds() < kLongestGap, qPrintable(QString::number(gaps.worstMilliseconds())));
    }

    void openingASlowFolderMovesTheChainAtOnce_data() {
        QTest::addColumn<bool>("isGoneMeanwhile");
        QTest::newRow("listed late") << false;
        QTest::newRow("gone before it could be listed: failure, lists back") << true;
    }

    void openingASlowFolderMovesTheChainAtOnce() {
        QFETCH(bool, isGoneMeanwhile);
        SlowDisk disk(300);
        SKIP_UNLESS_MOUNTED(disk);
        StartedForm window(disk.point.native());
        QVERIFY(window.isStarted);
        const EventLoopGaps gaps;

        DoubleClick(window.dir1->viewport(), CenterOfRow(*window.dir1, RowNamed(*window.dir1, "slow folder")));
        QCOMPARE(window.dir1->path(), disk.point.path() + "/slow folder");
        QCOMPARE(ShownNames(*window.dir1).last(), QStringLiteral("読み込み中…"));
        QVERIFY(!window.file1->isEnabled());
        if (isGoneMeanwhile) std::filesystem::remove_all(disk.source.at("slow folder"));

        if (isGoneMeanwhile) {
            QTRY_VERIFY(window.form.findChild<QMessageBox*>(QStringLiteral("FailureMessage")) != nullptr);
            QCOMPARE(window.dir1->path(), disk.point.path());
            QCOMPARE(ShownNames(*window.file1), (QStringList{"a.mid", "hung.mid", "slow.mid"}));
        } else {
            QTRY_COMPARE(ShownNames(*window.file1), QStringList{"inside.mid"});
            QCOMPARE(window.file1->path(), disk.point.path() + "/slow folder");
        }
        QVERIFY(window.file1->isEnabled());
        QVERIFY2(gaps.worstMilliseconds() < kLongestGap, qPrintable(QString::number(gaps.worstMilliseconds())));
    }

    void openingAnotherFolderAbandonsAHungOne() {
        SlowDisk disk(0);
        SKIP_UNLESS_MOUNTED(disk);
        StartedForm window(disk.point.native());
        QVERIFY(window.isStarted);
        const EventLoopGaps gaps;

        DoubleClick(window.dir1->viewport(), CenterOfRow(*window.dir1, RowNamed(*window.dir1, "hung folder")));
        QCOMPARE(window.dir1->path(), disk.point.path() + "/hung folder");
        QTest::qWait(100);
        // Back up the chain, to the folder above, while the listing still hangs.
        const int above = static_cast<int>(ShownNames(*window.dir1).size()) - 3;
        DoubleClick(window.dir1->viewport(), CenterOfRow(*window.dir1, above));

        QTRY_VERIFY(ShownNames(*window.dir1).contains("slow folder"));
        QCOMPARE(window.dir1->path(), disk.point.path());
        QCOMPARE(ShownNames(*window.file1), (QStringList{"a.mid", "hung.mid", "slow.mid"}));
        QVERIFY(window.file1->isEnabled());
        QVERIFY2(gaps.worstMilliseconds() < kLongestGap, qPrintable(QString::number(gaps.worstMilliseconds())));
    }

    void closingWithAReadHangingEndsAtOnce() {
        SlowDisk disk(0);
        SKIP_UNLESS_MOUNTED(disk);
        QVERIFY(QDir::setCurrent(disk.point.path()));
        auto form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* list = form->findChild<FileList*>(QStringLiteral("File1"));
        list->setSelectedIndex(RowNamed(*list, QStringLiteral("hung.mid")));
        QTest::qWait(50);

        // Waiting for the hung read would wait for good: the mount lets it
        // go only when the test ends.
        QElapsedTimer closing;
        closing.start();
        form->close();
        form.reset();
        QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));
    }
};

QTEST_MAIN(SlowDiskTest)
#include "SlowDiskTest.moc"
