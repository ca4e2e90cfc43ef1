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

struct Hover { QString file; Qt::Key key; QString shown, title; };
struct Opening { QString folder, meanwhile, landing; QStringList folders, files; };

class SlowDiskTest : public QObject {
    Q_OBJECT

private slots:
    void pointerOverASlowFileShowsItIsReadAndTheWindowAnswers() {
        for (const Hover& row : {Hover{"slow.mid", Qt::Key_unknown, "slow.mid", "Slow"},  // the report arrives
                                 Hover{"hung.mid", Qt::Key_Up, "a.mid", "Alpha"}}) {  // a key moves on to another file
            START_ON_SLOW_DISK(2000);
            FileList& file1 = *window->file1;
            file1.setSelectedIndex(RowNamed(file1, row.file));
            // The pointer moving to and fro over the file asks for it again and again.
            QTimer mover;
            mover.callOnTimeout([&, moves = 0]() mutable { MoveMouse(file1.viewport(), QPoint(++moves % 20, 5)); });
            mover.start(10);
            AWAIT_COMPARE(ReportLine(*window->text1, 2), QStringLiteral("読み込み中…"));
            QCOMPARE(ReportLine(*window->text1, 0), FileLine(point.path() + "/" + row.file));
            // Posted, as input comes: answered by the window's own loop.
            if (row.key != Qt::Key_unknown) QCoreApplication::postEvent(&file1, new QKeyEvent(QEvent::KeyPress, row.key, {}));
            AWAIT_COMPARE(ReportLine(*window->text1, 6), QStringLiteral("タイトル－ ") + row.title);
            QCOMPARE(ReportLine(*window->text1, 0), FileLine(point.path() + "/" + row.shown));
            // Closing, with a read hanging, leaves it behind.
            file1.setSelectedIndex(RowNamed(file1, "hung.mid"));
            window.reset();
            QVERIFY(mount.isHung());
        }
    }

    void openingASlowFolderMovesTheChainAtOnce_data() {
        // What is done while the listing is on its way, and where the lists land under the mount point.
        QTest::addColumn<Opening>("row");
        const QStringList top{"a.mid", "hung.mid", "slow.mid"}, both{"hung folder", "slow folder"};
        QTest::newRow("listed late") << Opening{"slow folder", "", "/slow folder", {}, {"inside.mid"}};
        QTest::newRow("gone before listed: failure, lists back") << Opening{"slow folder", "remove", "", both, top};
        QTest::newRow("hung, another opened: abandoned") << Opening{"hung folder", "go up", "", both, top};
        QTest::newRow("a drive gone before listed: back to the drive shown") << Opening{"slow folder", "drive", "", both, top};
    }

    void openingASlowFolderMovesTheChainAtOnce() {
        QFETCH(Opening, row);
        START_ON_SLOW_DISK(300);
        const Runtime::Volume here{point.native(), "fuse", "slowfs", ""}, away{point.at("slow folder"), "cifs", "//nas/gone", ""};
        if (row.meanwhile == "drive") window->drive1->setVolumes({here, away}), QTest::keyClick(window->drive1, Qt::Key_Down);
        else DoubleClick(*window->dir1, row.folder);
        QCOMPARE(window->dir1->path(), point.path() + "/" + row.folder);
        QCOMPARE(ShownNames(*window->dir1).last(), QStringLiteral("読み込み中…"));
        // The names of the folder left are not live: File1 is disabled and tells a screen reader why.
        QVERIFY(!window->file1->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(window->file1)->text(QAccessible::Description),
                 QStringLiteral("読み込み中…"));
        if (row.meanwhile == "remove" || row.meanwhile == "drive") std::filesystem::remove_all(source.at("slow folder"));
        if (row.meanwhile == "go up") QTest::qWait(100);
        if (row.meanwhile.endsWith("go up")) DoubleClick(*window->dir1, ChainTo(*window, point.path()).last());

        const QString landing = point.path() + row.landing;
        AWAIT_COMPARE(ShownNames(*window->dir1), ChainTo(*window, landing) + row.folders);
        QCOMPARE(QStringList({window->drive1->drive(), window->dir1->path(), window->file1->path()}),
                 QStringList({point.path(), landing, landing}));
        QCOMPARE(ShownNames(*window->file1), row.files);
        QVERIFY(window->file1->isEnabled());
        QCOMPARE(TakeFailureMessage(window->form).isEmpty(), row.meanwhile != "remove" && row.meanwhile != "drive");
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
