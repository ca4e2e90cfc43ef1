// The window on a disk that answers slowly or not at all (a FUSE file system made by the tests): what it does
// meanwhile is checked, never how long it takes (bench/ measures that).

#include "SlowMount.h"
#include "WindowTestSupport.h"

// Songs in a folder shown slowly under a mount point, and the window started there.
#define START_ON_SLOW_DISK(delay)                                                                                  \
    TestFolder source, point;                                                                                      \
    source.make({"a.mid:Alpha", "slow.mid:Slow", "hung.mid", "slow folder/inside.mid", "hung folder/inside.mid"}); \
    const SlowMount mount(source.native(), point.native(), delay);                                                 \
    if (!mount.isMounted()) QSKIP(qPrintable(mount.failure));                                                      \
    auto window = std::make_unique<StartedForm>(point.native());                                                   \
    QVERIFY(window->isStarted)

// Waits up to 10 s for actual to be expected, the event loop running.
#define AWAIT_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 10000)


class SlowDiskTest : public QObject {
    Q_OBJECT

private slots:
    void closingWithAReadHangingLeavesItBehind() {
        // What Text1 shows meanwhile is the core's; the window answers and closes at once.
        START_ON_SLOW_DISK(2000);
        FileList& file1 = *window->file1;
        file1.setSelectedIndex(RowNamed(file1, "hung.mid"));
        AWAIT_COMPARE(ReportLine(*window->text1, 2), QStringLiteral("読み込み中…"));
        MoveMouse(file1.viewport(), QPoint(5, 5));
        window.reset();
        QVERIFY(mount.isHung());
    }

    void openingASlowFolderShowsFile1IsNotLive() {
        // The chain moves at once and File1 waits for the listing (the core's tests have the rest).
        START_ON_SLOW_DISK(300);
        DoubleClick(*window->dir1, "slow folder");
        QCOMPARE(ShownNames(*window->dir1).last(), QStringLiteral("読み込み中…"));
        // The names of the folder left are not live: File1 is disabled and tells a screen reader why.
        QVERIFY(!window->file1->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(window->file1)->text(QAccessible::Description),
                 QStringLiteral("読み込み中…"));
        AWAIT_COMPARE(ShownNames(*window->file1), QStringList{"inside.mid"});
        QVERIFY(window->file1->isEnabled());
    }

    void openingTheDriveListShowsAVolumeMountedSince() {
        TestFolder songs, point;
        StartedForm window(songs.make({"a.mid"}));
        const SlowMount mount(songs.native(), point.native(), 0);
        if (!mount.isMounted()) QSKIP(qPrintable(mount.failure));
        QTest::keyClick(window.drive1, Qt::Key_F4);
        AWAIT_COMPARE(window.drive1->findText(point.path()) >= 0, true);
        window.drive1->hidePopup();
    }
};

QTEST_MAIN(SlowDiskTest)
#include "SlowDiskTest.moc"
