#pragma once

#include <QtTest>

#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <string>
#include <thread>

// The slow file system (tests/fuse) mounted over a folder while the object lives: reads and listings of names
// holding "slow" take the delay given, those holding "hung" wait until the end. Unmounted at the end, after a
// failure too; a mount left behind by a test that died goes with its file system, which ends with its parent.
class SlowMount {
public:
    SlowMount(const std::string& source, const std::string& mountPoint, int delayMilliseconds)
        : mountPoint_(mountPoint) {
        fileSystem_.setProcessChannelMode(QProcess::MergedChannels);
        fileSystem_.start(QStringLiteral(MIDTITLE_SLOWFS), {QString::fromStdString(source),
                          QString::fromStdString(mountPoint), QString::number(delayMilliseconds)});
        (void)QTest::qWaitFor([this] { return isMounted() || fileSystem_.state() == QProcess::NotRunning; }, 10000);
        if (!isMounted()) {
            fileSystem_.kill();
            fileSystem_.waitForFinished(2000);
            failure = "FUSE cannot be mounted here: " + QString::fromLocal8Bit(fileSystem_.readAll()).trimmed();
            return;
        }
        // A window that waited for a hung read would wait for good: the hangs end after half a minute instead.
        watchdog_ = std::jthread([this, pid = fileSystem_.processId()](const std::stop_token& stop) {
            for (int tenths = 0; tenths < 300 && !stop.stop_requested(); ++tenths) QThread::msleep(100);
            if (!stop.stop_requested()) hasEndedHangs_ = true, ::kill(static_cast<pid_t>(pid), SIGUSR1);
        });
    }

    ~SlowMount() {
        watchdog_ = {};
        // Out of the mount, and hung reads ended first so that the reader lets go of its files: else it is busy.
        QDir::setCurrent(QDir::tempPath());
        if (fileSystem_.processId() > 0) ::kill(static_cast<pid_t>(fileSystem_.processId()), SIGUSR1);
        for (int attempt = 0; attempt < 50 && isMounted() && !unmount("-u"); ++attempt) QTest::qWait(100);
        if (isMounted()) unmount("-uz");
        if (!fileSystem_.waitForFinished(5000)) fileSystem_.kill();
        fileSystem_.waitForFinished(2000);
    }

    bool isMounted() const {
        struct stat mount {}, above {};
        return ::stat(mountPoint_.c_str(), &mount) == 0 && ::stat((mountPoint_ + "/..").c_str(), &above) == 0 &&
               mount.st_dev != above.st_dev;
    }
    QString failure;  // why it could not be mounted
    bool isHung() const { return !hasEndedHangs_; }  // whether the hung reads still wait

private:
    bool unmount(const char* how) const { return QProcess::execute("fusermount3", {how, mountPoint_.c_str()}) == 0; }

    std::string mountPoint_;
    QProcess fileSystem_;
    std::atomic<bool> hasEndedHangs_{false};
    std::jthread watchdog_;
};
