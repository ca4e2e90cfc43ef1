#pragma once

#include "EntryListBox.h"
#include "IconHandle.h"
#include "ListView.h"

namespace Window {
class Form1;
}  // namespace Window

// Dir1 on a list box: the rows Window::FolderChain keeps, the chain of
// folders indented step by step with the shell's open-folder picture, then
// the subfolders. A double-click or Enter opens the row; a single click
// only highlights it.
class FolderBox : public EntryListBox, public Window::ListView {
public:
    FolderBox();

    void SetForm(Window::Form1& form) noexcept { form_ = &form; }
    // A notification from the list box, by its code.
    void Notify(int code);

    void ShowRows(std::span<const Window::Row> rows) override { SetRows(rows); }
    int Selected() const override { return Current(); }
    void Select(int row) override { EntryListBox::Select(row); }
    void PlaceCaret(int row) override { EntryListBox::Select(row); }
    int TopRow() const override { return TopIndex(); }
    void ScrollToTop(int row) override { SetTopIndex(row); }
    void ShowReading(bool) override {}  // File1 shows it

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DialogCode(LRESULT code, const MSG* message) const override;
    HICON GlyphOf(int row) const override;

private:
    IconHandle openFolder_;
    IconHandle folder_;
    Window::Form1* form_ = nullptr;
};
