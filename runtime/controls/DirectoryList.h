#pragma once

#include <QListView>

#include <string>
#include <string_view>

class EntryListModel;

// The directory list: the chain of folders from the root down to its path,
// then the folders inside that path. A single click only highlights; opening
// an entry (double-click, Enter or Return) makes it the path.
class DirectoryList : public QListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)

public:
    explicit DirectoryList(QWidget* parent = nullptr);

    QString path() const;  // readable: non-UTF-8 names decoded
    const std::string& nativePath() const { return nativePath_; }

    // Lists path and raises pathChanged. Throws Runtime::RuntimeError when
    // the folder cannot be read, and then nothing changes.
    void setPath(const QString& path);
    void setNativePath(std::string_view path);

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openRow(int row);  // a failure is shown, not thrown
    std::string pathOfRow(int row) const;

    EntryListModel* model_;
    std::string nativePath_;
    int chainLength_ = 0;  // rows from the root to the path itself
};
