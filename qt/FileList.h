#pragma once

#include "EntryListView.h"
#include "ListView.h"

namespace Window {
class FileChoice;
}  // namespace Window

// File1 on a list view: the rows Window::FileChoice keeps, at most one
// selected. It tells what the person does to it: a selection made or
// changed, a key pressed, a mouse button pressed and every move of the
// mouse over it, button or not. Key and mouse signals come before the list
// acts on the event, so a handler sees the selection as it was when the
// event arrived. What the core does to the rows is not the person's doing
// and is not told.
class FileList : public EntryListView, public Window::ListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex)

public:
    explicit FileList(QWidget* parent = nullptr);

    // The core whose rows the list shows; its folder is the list's path.
    void setChoice(const Window::FileChoice& choice) { choice_ = &choice; }
    QString path() const;  // readable: non-UTF-8 names decoded

    int count() const;
    int selectedIndex() const;  // -1 when nothing is selected
    void setSelectedIndex(int index);  // as the person selects: told

    void ShowRows(std::span<const Window::Row> rows) override;
    int Selected() const override { return selectedIndex(); }
    void Select(int row) override;
    void PlaceCaret(int row) override;
    int TopRow() const override;
    void ScrollToTop(int row) override;
    void ShowReading(bool isReading) override;

signals:
    void selectedFileChanged();  // another file is selected now
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void mousePressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    const Window::FileChoice* choice_ = nullptr;
    bool isQuiet_ = false;  // selection moves now are the core's, not the person's
};
