#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "FolderContents.h"

// One row of a list: the entry and how far it is indented.
struct EntryRow {
    Runtime::FolderEntry entry;
    int depth = 0;
};

// A list box that keeps no object per row: LBS_NODATA with the rows held
// here and drawn by Form1's WM_DRAWITEM, so 100 000 files cost one vector.
// Such a list box has no strings of its own to search, so typing the first
// letters of a name is answered here, through WM_CHARTOITEM.
// The base of the folder and file lists; not copyable or movable, since the
// subclassed window points back at it.
class EntryListBox {
public:
    EntryListBox() = default;
    EntryListBox(const EntryListBox&) = delete;
    EntryListBox& operator=(const EntryListBox&) = delete;
    virtual ~EntryListBox();

    // Makes the list box as a child of parent with the given id, after the
    // hidden label that names it to screen readers.
    void Create(HWND parent, int id, const wchar_t* accessibleName);
    HWND Handle() const noexcept { return list_; }

    void SetFont(HFONT font);
    // Rows of a disabled list are drawn grey: they are not live.
    void Draw(const DRAWITEMSTRUCT& item) const;
    // The row to move to for a typed character, or -2 when none fits.
    int FindTyped(wchar_t character, DWORD time);

    int Count() const noexcept { return static_cast<int>(rows_.size()); }
    int Current() const noexcept;  // -1 when nothing is selected
    const EntryRow& Row(int index) const { return rows_[static_cast<std::size_t>(index)]; }

protected:
    // A key or mouse message before the list box acts on it; true when it
    // was answered and the list box must not see it.
    virtual bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DialogCode(LRESULT code, const MSG* message) const { (void)message; return code; }
    // The small picture drawn before a row's name, or none.
    virtual HICON GlyphOf(int row) const { (void)row; return nullptr; }

    // Screen readers name the list after its label: a state put after its
    // name there tells them why the list is as it is ("" for none).
    void AnnounceState(std::wstring_view state);
    void SetRows(std::vector<EntryRow> rows);
    void Select(int index);  // without telling the parent, as LB_SETCURSEL is silent
    int RowNamed(const std::string& nativeName, int from = 0) const;

    // The first row shown, to keep the view where it was while the rows
    // are read again.
    struct TopRow {
        std::string name;
        int row = -1;
    };
    TopRow Top() const;
    void ScrollBackTo(const TopRow& top);

private:
    static LRESULT CALLBACK Subclassed(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);

    HWND list_ = nullptr;
    HWND label_ = nullptr;
    std::wstring accessibleName_;
    std::vector<EntryRow> rows_;
    std::wstring typed_;  // the letters typed so far
    DWORD typedAt_ = 0;
};
