#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QTest>

#include <sys/stat.h>

#include <csignal>
#include <string>

// The slow file system (tests/fuse) mounted over a folder for as long as
// the object lives: reads and listings of names holding "slow" take the
// delay given, those holding "hung" wait until the end. Unmounted at the
// end, a test that failed or stopped early included; a mount left behind by
// a test that died goes with its file system, which ends with its parent.
class SlowMount {
public:
    SlowMount(const std::string& source, const std::string& mountPoint, int delayMilliseconds)
        : mountPoint_(QString::fromStdString(mountPoint)) {
        fileSystem_.setProcessChannelMode(QProcess::MergedChannels);
        fileSystem_.start(QStringLiteral(MIDTITLE_SLOWFS),
                          {QString::fromStdString(source), mountPoint_, QString::number(delayMilliseconds)});
        const QDeadlineTimer deadline(10000);
        while (!isMounted() && !deadline.hasExpired() && fileSystem_.state() != QProcess::NotRunning) QTest::qWait(20);
        if (!isMounted()) {
            fileSystem_.kill();
            fileSystem_.waitForFinished(2000);
            failure_ = QStringLiteral("FUSE cannot be mounted here: ") +
                       QString::fromLocal8Bit(fileSystem_.readAll()).trimmed();
        }
    }
    SlowMount(const SlowMount&) = delete;
    SlowMount& operator=(const SlowMount&) = delete;

    ~SlowMount() {
        if (fileSystem_.state() == QProcess::NotRunning && !isMounted()) return;
        // Hung reads end first, so the reader lets go of its files and the
        // mount is not busy.
        if (fileSystem_.processId() > 0) ::kill(static_cast<pid_t>(fileSystem_.processId()), SIGUSR1);
        for (int attempt = 0; attempt < 50 && isMounted(); ++attempt) {
            if (Unmount({QStringLiteral("-u")})) break;
            QTest::qWait(100);
        }
        if (isMounted()) Unmount({QStringLiteral("-u"), QStringLiteral("-z")});
        if (!fileSystem_.waitForFinished(5000)) fileSystem_.kill();
        fileSystem_.waitForFinished(2000);
    }

    bool isMounted() const {
        struct stat mount {}, above {};
        const std::string point = mountPoint_.toStdString();
        return ::stat(point.c_str(), &mount) == 0 && ::stat((point + "/..").c_str(), &above) == 0 &&
               mount.st_dev != above.st_dev;
    }
    const QString& failure() const { return failure_; }

private:
    bool Unmount(QStringList arguments) const {
        arguments << mountPoint_;
        return QProcess::execute(QStringLiteral("fusermount3"), arguments) == 0;
    }

    QString mountPoint_;
    QProcess fileSystem_;
    QString failure_;
};

// The longest time the event loop went without running a timer that asks
// to run every few milliseconds: how long the window stopped answering.
class EventLoopGaps : public QObject {
public:
    EventLoopGaps() {
        connect(&ticks_, &QTimer::timeout, this, [this] {
            worst_ = std::max(worst_, clock_.restart());
        });
        ticks_.start(4);
        clock_.start();
    }
    qint64 worstMilliseconds() const { return std::max(worst_, clock_.elapsed()); }

private:
    QTimer ticks_;
    QElapsedTimer clock_;
    qint64 worst_ = 0;
};
