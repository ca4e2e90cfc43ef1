#pragma once

#include <QListView>

class EntryListModel;

// What Dir1 and File1 share: one entry a row, one row selected at most,
// no editing, names found by typing their first letters (Japanese
// committed by an input method too).
class EntryListView : public QListView {
public:
    explicit EntryListView(QWidget* parent = nullptr);

protected:
    // Qt turns input methods off on rows that cannot be edited; these turn
    // them on again, so committed text reaches keyboardSearch.
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

    EntryListModel* const entries_;
};
