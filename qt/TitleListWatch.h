#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QFileSystemWatcher;
class QTimer;

// Tells the title list which of its folders changed on disk: one watch a
// folder listed, the one shown and each below it. Linux gives each user a
// limited number of watches (inotify's max_user_watches, 8 192 on many
// systems, shared by every program), so a tree of more folders has only
// the first ones listed followed; F5 reads the rest. Changes
// are gathered for a short while and each folder told once, so another
// program writing thousands of files costs a few listings, not thousands.
class TitleListWatch : public QObject {
public:
    // changed gets each folder, absolute and native.
    TitleListWatch(std::function<void(const std::string&)> changed, QObject* parent);

    // Watches these folders from now on (absolute, native), and no others.
    void follow(const std::vector<std::string>& folders);

private:
    void tell();

    std::function<void(const std::string&)> changed_;
    QFileSystemWatcher* watcher_;
    QTimer* gathering_;  // runs while changes are gathered, then tells them once
    QSet<QString> gathered_;
};
