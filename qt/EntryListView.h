#pragma once

#include <QListView>

#include <string>
#include <string_view>

class EntryListModel;
class FolderWatch;

// What the directory and file lists share: one entry a row, one row
// selected at most, no editing, names found by typing their first letters
// (Japanese committed by an input method too), a watch on the folder shown,
// and listing again without losing the person's place.
class EntryListView : public QListView {
public:
    explicit EntryListView(QWidget* parent = nullptr);

    // Lists path and raises the list's change signal. path is readable
    // text, as the path property reads: a folder whose name is not UTF-8 is
    // found by its readable name. A folder that cannot be read is shown as
    // a failure and the list stays where it was: the path property may be
    // set from anywhere, where nothing would catch an exception.
    void setPath(const QString& path);
    // The same, but throws Runtime::RuntimeError for the caller to handle;
    // nothing changes then.
    virtual void setNativePath(std::string_view path) = 0;

protected:
    // The row shown at the top, kept across a new listing by its name.
    struct TopRow {
        std::string name;
        int row = -1;  // -1 when the list was empty
    };
    TopRow topRow() const;
    void scrollBackTo(const TopRow& top);  // to the same name, or the same place when it went

    // Qt turns input methods off on rows that cannot be edited; these turn
    // them on again, so committed text reaches keyboardSearch.
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

    EntryListModel* const entries_;
    FolderWatch* const watch_;
};
