// The window on a disk that answers slowly or not at all (a FUSE file system made by the tests): the event
// loop answers while a read hangs, the waiting text and the late reports and listings arrive, and closing leaves
// a hung read behind. What the window does is checked, never how long it takes: bench/ measures that.

#include <condition_variable>
#include <mutex>
#include <thread>

#include "FolderWatch.h"
#include "SlowMount.h"
#include "WindowTestSupport.h"

// Ends the hung read of a file by removing it after half a minute: a window that waited for it would wait for
// good, and what the test checks then fails.
class HangWatchdog {
public:
    explicit HangWatchdog(std::string hungFile) : file_(std::move(hungFile)) {
        watchdog_ = std::jthread([this](const std::stop_token& stop) {
            std::mutex mutex;
            std::unique_lock lock(mutex);
            std::condition_variable_any().wait_for(lock, stop, std::chrono::seconds(30), [] { return false; });
            std::error_code ignored;
            if (!stop.stop_requested()) std::filesystem::remove(file_, ignored);
        });
    }
    bool isHung() const { return std::filesystem::exists(file_); }

private:
    std::string file_;
    std::jthread watchdog_;
};

// Songs in a folder shown slowly under a mount point, and the window started there.
#define START_ON_SLOW_DISK(delay)                                                                                  \
    TestFolder source, point;                                                                                      \
    source.make({"a.mid:Alpha", "slow.mid:Slow", "hung.mid", "slow folder/inside.mid", "hung folder/inside.mid"}); \
    const SlowMount mount(source.native(), point.native(), delay);                                                 \
    if (!mount.isMounted()) QSKIP(qPrintable(mount.failure));                                                      \
    const HangWatchdog hang(source.at("hung.mid"));                                                                \
    auto window = std::make_unique<StartedForm>(point.native());                                                   \
    QVERIFY(window->isStarted)

// Waits up to 10 s for actual to be expected, the event loop running.
#define AWAIT_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 10000)

struct Hover { QString file; Qt::Key key; QString shown, title; };
struct Opening { QString folder, meanwhile, landing; QStringList folders, files; };

class SlowDiskTest : public QObject {
    Q_OBJECT

private slots:
    void pointerOverASlowFileShowsItIsReadAndTheWindowAnswers_data() {
        QTest::addColumn<Hover>("row");
        QTest::newRow("slow read: its report arrives") << Hover{"slow.mid", Qt::Key_unknown, "slow.mid", "Slow"};
        QTest::newRow("hung read: a key moves on to another file") << Hover{"hung.mid", Qt::Key_Up, "a.mid", "Alpha"};
    }

    void pointerOverASlowFileShowsItIsReadAndTheWindowAnswers() {
        QFETCH(Hover, row);
        START_ON_SLOW_DISK(2000);
        FileList& file1 = *window->file1;
        file1.setSelectedIndex(RowNamed(file1, row.file));
        // The pointer moving to and fro over the file asks for it again and again.
        QTimer mover;
        mover.callOnTimeout([&, moves = 0]() mutable {
            MoveMouse(file1.viewport(), CenterOfRow(file1, file1.selectedIndex()) + QPoint(++moves % 20, 0));
        });
        mover.start(10);
        AWAIT_COMPARE(ReportLine(*window->text1, 2), QStringLiteral("読み込み中…"));
        QCOMPARE(ReportLine(*window->text1, 0), FileLine(point.path() + "/" + row.file));
        // Posted, as input comes: answered by the window's own loop.
        if (row.key != Qt::Key_unknown) QCoreApplication::postEvent(&file1, new QKeyEvent(QEvent::KeyPress, row.key, {}));
        AWAIT_COMPARE(ReportLine(*window->text1, 6), QStringLiteral("タイトル－ ") + row.title);
        QCOMPARE(ReportLine(*window->text1, 0), FileLine(point.path() + "/" + row.shown));
        mover.stop();
        // Closing, with a read hanging, leaves it behind.
        file1.setSelectedIndex(RowNamed(file1, "hung.mid"));
        window->form.close();
        window.reset();
        QVERIFY(hang.isHung());
    }

    void openingASlowFolderMovesTheChainAtOnce_data() {
        // What is done while the listing is on its way, and where the lists land under the mount point.
        QTest::addColumn<Opening>("row");
        const QStringList top{"a.mid", "hung.mid", "slow.mid"}, both{"hung folder", "slow folder"};
        QTest::newRow("listed late") << Opening{"slow folder", "", "/slow folder", {}, {"inside.mid"}};
        QTest::newRow("gone before listed: failure, lists back") << Opening{"slow folder", "remove", "", both, top};
        QTest::newRow("hung, another opened: abandoned") << Opening{"hung folder", "go up", "", both, top};
    }

    void openingASlowFolderMovesTheChainAtOnce() {
        QFETCH(Opening, row);
        START_ON_SLOW_DISK(300);
        DoubleClick(*window->dir1, row.folder);
        QCOMPARE(window->dir1->path(), point.path() + "/" + row.folder);
        QCOMPARE(ShownNames(*window->dir1).last(), QStringLiteral("読み込み中…"));
        // The names of the folder left are not live: File1 is disabled and tells a screen reader why.
        QVERIFY(!window->file1->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(window->file1)->text(QAccessible::Description),
                 QStringLiteral("読み込み中…"));
        if (row.meanwhile == "remove") std::filesystem::remove_all(source.at("slow folder"));
        if (row.meanwhile == "go up") QTest::qWait(100);
        if (row.meanwhile == "go up") DoubleClick(*window->dir1, ChainTo(*window, point.path()).last());

        const QString landing = point.path() + row.landing;
        AWAIT_COMPARE(ShownNames(*window->dir1), ChainTo(*window, landing) + row.folders);
        QCOMPARE(window->dir1->path(), landing);
        QCOMPARE(window->file1->path(), landing);
        QCOMPARE(ShownNames(*window->file1), row.files);
        QVERIFY(window->file1->isEnabled());
        QCOMPARE(TakeFailureMessage(window->form).isEmpty(), row.meanwhile != "remove");
    }

    void aDriveThatFailsLateGivesWayToTheDriveShown() {
        START_ON_SLOW_DISK(300);
        const Runtime::Volume here{point.native(), "fuse", "slowfs", ""};
        window->drive1->setVolumes({here, {point.at("slow folder"), "cifs", "//server/gone", "NAS"}});
        QTest::keyClick(window->drive1, Qt::Key_Down);
        QVERIFY(window->dir1->isReading());
        std::filesystem::remove_all(source.at("slow folder"));
        AWAIT_COMPARE(window->dir1->isReading(), false);
        QVERIFY(!TakeFailureMessage(window->form).isEmpty());
        QCOMPARE(QStringList({window->drive1->drive(), window->dir1->path()}), QStringList(2, point.path()));
    }

    void openingTheDriveListShowsVolumesMountedOrGoneSince() {
        TestFolder songs, point;
        StartedForm window(songs.make({"a.mid"}));
        auto mount = std::make_unique<SlowMount>(songs.native(), point.native(), 0);
        if (!mount->isMounted()) QSKIP(qPrintable(mount->failure));
        for (const bool isMounted : {true, false}) {
            if (!isMounted) mount.reset();
            QTest::keyClick(window.drive1, Qt::Key_F4);
            AWAIT_COMPARE(window.drive1->findText(point.path()) >= 0, isMounted);
            window.drive1->hidePopup();
        }
    }

    void aLateListingOfTheFolderLeftIsDropped() {
        START_ON_SLOW_DISK(300);
        DoubleClick(*window->dir1, QStringLiteral("slow folder"));
        AWAIT_COMPARE(ShownNames(*window->file1), QStringList{"inside.mid"});
        // A change on disk sets File1 listing the slow folder again; the folder above is opened meanwhile.
        emit window->file1->findChild<FolderWatch*>()->folderChanged();
        DoubleClick(*window->dir1, ChainTo(*window, point.path()).last());
        const QStringList top{"a.mid", "hung.mid", "slow.mid"};
        AWAIT_COMPARE(ShownNames(*window->file1), top);
        QTest::qWait(600);
        QCOMPARE(ShownNames(*window->file1), top);
        QCOMPARE(window->file1->path(), point.path());
    }
};

QTEST_MAIN(SlowDiskTest)
#include "SlowDiskTest.moc"
