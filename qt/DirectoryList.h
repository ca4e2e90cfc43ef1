#pragma once

#include "EntryListView.h"

#include <string>
#include <string_view>

#include "ListView.h"

namespace Window {
class Form1;
}  // namespace Window

// Dir1 on a list view: the rows Window::FolderChain keeps, the chain of
// folders indented step by step, then the subfolders. A single click only
// highlights; a double-click, Enter or Return opens the row.
class DirectoryList : public EntryListView, public Window::ListView {
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)

public:
    explicit DirectoryList(QWidget* parent = nullptr);

    void setForm(Window::Form1& form) { form_ = &form; }
    QString path() const;  // readable: non-UTF-8 names decoded
    const std::string& nativePath() const;
    bool isReading() const;
    // Opens path; a failure is shown and the list stays where it was.
    void setNativePath(std::string_view path);
    // The same for a readable path, as the path property reads: a folder
    // whose name is not UTF-8 is found by its readable name.
    void setPath(const QString& path);

    void ShowRows(std::span<const Window::Row> rows) override;
    int Selected() const override { return currentIndex().row(); }
    void Select(int row) override;
    void PlaceCaret(int row) override { Select(row); }
    int TopRow() const override;
    void ScrollToTop(int row) override;
    void ShowReading(bool) override {}  // File1 shows it

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window::Form1* form_ = nullptr;
};
