#include "TitleListWatch.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>

#include "ReadableName.h"

namespace {

// At most this many folders watched: half of the smallest common limit,
// the rest left to Form1's lists and other programs.
constexpr qsizetype kMostFoldersWatched = 4096;
// Gathered this long: the change and its listing show within a second.
constexpr int kGathering = 200;

}  // namespace

TitleListWatch::TitleListWatch(std::function<void(const std::string&)> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)), watcher_(new QFileSystemWatcher(this)), gathering_(new QTimer(this)) {
    gathering_->setSingleShot(true);
    gathering_->setInterval(kGathering);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& folder) {
        gathered_.insert(folder);
        // Not restarted by later changes: a burst that never pauses is still told once per interval.
        if (!gathering_->isActive()) gathering_->start();
    });
    connect(gathering_, &QTimer::timeout, this, &TitleListWatch::tell);
}

void TitleListWatch::follow(const std::vector<std::string>& folders) {
    QSet<QString> wanted;
    for (const std::string& folder : folders) {
        if (wanted.size() == kMostFoldersWatched) break;
        // Qt names paths in UTF-8 text: a folder whose own name is not UTF-8
        // (Shift_JIS from an old archive) cannot be named to the watcher.
        if (Runtime::IsValidUtf8(folder)) wanted.insert(QFile::decodeName(QByteArray::fromStdString(folder)));
    }
    // The watcher drops a folder removed: one made again under its name is watched anew.
    const QStringList watching = watcher_->directories();
    QStringList gone;
    for (const QString& folder : watching) {
        if (!wanted.contains(folder)) gone << folder;
    }
    if (!gone.isEmpty()) watcher_->removePaths(gone);
    const QSet<QString> stillWatched(watching.begin(), watching.end());
    QStringList added;
    for (const QString& folder : wanted) {
        if (!stillWatched.contains(folder)) added << folder;
    }
    if (!added.isEmpty()) watcher_->addPaths(added);
}

void TitleListWatch::tell() {
    const QSet<QString> gathered = std::exchange(gathered_, {});
    for (const QString& folder : gathered) changed_(QFile::encodeName(folder).toStdString());
}
