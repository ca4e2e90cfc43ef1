#include "FolderWatch.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <algorithm>

#include "FolderGathering.h"
#include "ReadableName.h"

namespace {

// The shortest gathering interval, and the longest: changes must show
// within a second, listing included.
constexpr qint64 kShortestGathering = Runtime::kShortestFolderGathering.count();
constexpr qint64 kLongestGathering = Runtime::kLongestFolderGathering.count();

}  // namespace

FolderWatch::FolderWatch(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), gathering_(new QTimer(this)) {
    gathering_->setSingleShot(true);
    gathering_->setInterval(static_cast<int>(kShortestGathering));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::gather);
    connect(gathering_, &QTimer::timeout, this, &FolderWatch::folderChanged);
}

void FolderWatch::watch(const std::string& nativePath) {
    // Qt carries paths as UTF-8 text: a folder whose own name is not UTF-8
    // (Shift_JIS from an old archive) cannot be named to the watcher, and its
    // list is only read again when it is opened.
    const QString path = Runtime::IsValidUtf8(nativePath) ? QFile::decodeName(QByteArray::fromStdString(nativePath))
                                                          : QString();
    const QString above = path.isEmpty() || path == QStringLiteral("/") ? QString() : QFileInfo(path).path();
    if (path != watched_) {
        const QStringList old = watcher_->directories();
        if (!old.isEmpty()) watcher_->removePaths(old);
    }
    watched_ = path;
    above_ = above;
    // The watcher drops a folder that was removed; one made again under the
    // same name is watched anew.
    const QStringList watching = watcher_->directories();
    for (const QString& folder : {path, above}) {
        if (!folder.isEmpty() && !watching.contains(folder)) watcher_->addPath(folder);
    }
}

void FolderWatch::noteListingTook(qint64 milliseconds) {
    gathering_->setInterval(static_cast<int>(std::clamp(2 * milliseconds, kShortestGathering, kLongestGathering)));
}

void FolderWatch::gather(const QString& changed) {
    // Next to the shown folder: only its going away matters.
    if (changed != watched_ && QFileInfo(watched_).isDir()) return;
    // Not restarted by later changes: a burst that never pauses is still
    // shown once per interval.
    if (!gathering_->isActive()) gathering_->start();
}
