// The lists follow the shown folder on disk with nobody asking, through the window's own watch and timer: a
// burst of changes is gathered and shown while it lasts, the selection kept (each kind of change and what the
// lists do then: the core's tests and the watch's).
#include "WindowTestSupport.h"

class LivingFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void burstIsGatheredAndShownWhileItLasts() {
        // Another program replaces 100 files one by one over more than a second, while a file stays selected.
        constexpr int kCount = 100;
        TestFolder folder;
        for (int i = 0; i < kCount; ++i) folder.make({QString::asprintf("old%03d.mid", i).toStdString()});
        StartedForm window(folder.make({"stays.mid"}));
        window.file1->setSelectedIndex(kCount);
        QSignalSpy listings(window.file1->model(), &QAbstractItemModel::modelReset);
        QStringList made;
        for (int i = 0; i < kCount; ++i, QTest::qWait(12))
            std::filesystem::rename(folder.at(QString::asprintf("old%03d.mid", i).toStdString()),
                                    folder.at((made << QString::asprintf("new%03d.mid", i)).last().toStdString()));
        // Shown within the burst, not only after it ends, and gathered: far fewer listings than changes.
        QVERIFY(listings.count() > 0);
        QTRY_COMPARE(ShownNames(*window.file1), made + QStringList{"stays.mid"});
        QVERIFY2(listings.count() < kCount / 2, qPrintable(QString::number(listings.count())));
        QCOMPARE(SelectedName(*window.file1), QStringLiteral("stays.mid"));
    }
};

QTEST_MAIN(LivingFoldersTest)
#include "LivingFoldersTest.moc"
