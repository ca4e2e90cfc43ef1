#pragma once

#include <QObject>

#include <string>

class QFileSystemWatcher;
class QTimer;

// Tells a list that the entries of the folder it shows changed on disk:
// created, removed, renamed, or the folder itself removed or its rights
// changed. Changes are gathered for a short while and told once, so another
// program creating thousands of files costs a few listings, not thousands;
// during a long burst the list hears at most once per interval, so the
// interval bounds the share of time spent listing while changes still show
// within a second.
class FolderWatch : public QObject {
    Q_OBJECT

public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watches nativePath instead of the folder watched so far. Called after
    // each listing: a folder removed and made again needs a new watch.
    void watch(const std::string& nativePath);

    // How long the last listing took: a folder that takes long to list is
    // listed less often during a burst.
    void noteListingTook(qint64 milliseconds);

signals:
    void folderChanged();

private:
    void gather(const QString& changed);

    QFileSystemWatcher* watcher_;
    QTimer* gathering_;  // runs while changes are gathered, then tells them once
    QString watched_;
    // The folder above: a folder renamed away is only told to the one that
    // holds it.
    QString above_;
};
