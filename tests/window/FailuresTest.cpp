// A folder or drive that cannot be opened is reported in a message box; the
// lists keep what they showed and the window goes on.
#include <QMessageBox>
#include <QTest>

#include <filesystem>

#include "WindowTestSupport.h"

namespace {

// Takes the failure message Form1 shows, checks its text and closes it.
QString TakeFailureMessage(Form1& form) {
    auto* box = form.findChild<QMessageBox*>(QStringLiteral("FailureMessage"));
    if (box == nullptr || !box->isVisible()) return {};
    const QString text = box->text();
    delete box;  // what pressing OK ends in: the box is gone, the window stays
    return text;
}

}  // namespace

class FailuresTest : public QObject {
    Q_OBJECT

private slots:
    void removedFolderKeepsTheLists_data();
    void removedFolderKeepsTheLists();
    void driveThatCannotBeOpenedKeepsThePreviousDrive();
};

void FailuresTest::removedFolderKeepsTheLists_data() {
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("folder removed after listing") << false;
    QTest::newRow("folder without read permission") << true;
}

void FailuresTest::removedFolderKeepsTheLists() {
    QFETCH(bool, unreadable);
    TestFolder folder;
    folder.makeFolder("doomed");
    folder.write("kept.mid", TitledSong("x"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const Controls controls(form);
    const int row = RowNamed(*controls.dir1, "doomed");
    if (unreadable) {
        std::filesystem::permissions(folder.at("doomed"), std::filesystem::perms::none);
        if (QDir(QString::fromStdString(folder.at("doomed"))).isReadable())
            QSKIP("this user reads every folder (root)");
    } else {
        std::filesystem::remove(folder.at("doomed"));
    }

    DoubleClick(controls.dir1->viewport(), CenterOfRow(*controls.dir1, row));

    const QString message = TakeFailureMessage(form);
    if (unreadable) std::filesystem::permissions(folder.at("doomed"), std::filesystem::perms::owner_all);
    QCOMPARE(message, unreadable ? QStringLiteral("実行時エラー '70':\n\nアクセスが拒否されました。")
                                 : QStringLiteral("実行時エラー '76':\n\nパスが見つかりません。"));
    QCOMPARE(controls.dir1->path(), folder.path());
    QCOMPARE(controls.file1->path(), folder.path());
    QCOMPARE(ShownNames(*controls.file1), QStringList{"kept.mid"});
    QVERIFY(form.isVisible());
}

void FailuresTest::driveThatCannotBeOpenedKeepsThePreviousDrive() {
    TestFolder folder;
    TestFolder volume;
    folder.write("kept.mid", TitledSong("x"));
    QVERIFY(QDir::setCurrent(folder.path()));
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const Controls controls(form);
    const std::string gone = volume.at("unplugged");
    controls.drive1->setVolumes({{"/", "ext4", "/dev/vda", ""},
                                 {folder.native(), "ext4", "/dev/sdb1", "DATA"},
                                 {gone, "vfat", "/dev/sdc1", "USB"}});
    controls.drive1->setCurrentIndex(1);
    QCOMPARE(controls.dir1->path(), folder.path());

    controls.drive1->setCurrentIndex(2);

    QCOMPARE(TakeFailureMessage(form), QStringLiteral("実行時エラー '76':\n\nパスが見つかりません。"));
    QCOMPARE(controls.drive1->drive(), folder.path());
    QCOMPARE(controls.dir1->path(), folder.path());
    QCOMPARE(controls.file1->path(), folder.path());
    QCOMPARE(ShownNames(*controls.file1), QStringList{"kept.mid"});
    // The tool goes on: the next choice works.
    controls.drive1->setCurrentIndex(0);
    QCOMPARE(controls.dir1->path(), QStringLiteral("/"));
}

QTEST_MAIN(FailuresTest)
#include "FailuresTest.moc"
