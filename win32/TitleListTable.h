#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Songs.h"

// The title list's table: a virtual list view (LVS_OWNERDATA) that holds
// no row of its own and asks cellText for what it draws, so 100 000 rows
// cost nothing until seen. Reports the person's selection, scrolling and
// header clicks; what the core shows is set quietly, never reported back.
// Compare qt/TitleList's model and view. Not copyable or movable: the
// subclassed list view points back at it.
class TitleListTable {
public:
    std::function<std::string(std::size_t row, TitleList::Column column)> cellText;
    std::function<void(std::span<const std::size_t> rows, std::optional<std::size_t> current)> selected;
    std::function<void(std::size_t topRow, std::size_t rowsOnScreen)> scrolled;
    std::function<void(TitleList::Column column)> headerClicked;
    std::function<void(std::size_t row)> activated;
    std::function<void(UINT key)> keyPressed;  // before the list view acts on it

    TitleListTable() = default;
    TitleListTable(const TitleListTable&) = delete;
    TitleListTable& operator=(const TitleListTable&) = delete;
    ~TitleListTable();

    // Makes the list view in parent after the hidden label that names it.
    void Create(HWND parent, int id);
    HWND Handle() const noexcept { return list_; }
    // The font and the column widths for the window's dpi.
    void Fit(HFONT font, int dotsPerInch);

    void ShowRows(std::size_t count);
    void ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current);
    void ScrollTo(std::size_t topRow);
    void ShowOrder(std::optional<TitleList::Column> column, bool isDescending);
    // What a screen reader hears after the table's name: its order and count.
    void Announce(std::string_view order, std::string_view count);

    std::optional<std::size_t> Current() const;
    // A WM_NOTIFY from the list view or its header: the answer, or
    // nothing when it is left to the system.
    std::optional<LRESULT> Notify(const NMHDR& header);

private:
    static LRESULT CALLBACK Subclassed(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    void FillCell(NMLVDISPINFOW& info) const;
    LRESULT FindTyped(const NMLVFINDITEMW& find) const;
    void NoteSelectionChange();
    void ReportSelection();
    void ReportPlace();

    HWND list_ = nullptr;
    HWND label_ = nullptr;
    bool isShowing_ = false;  // what the core shows is set: not the person's doing
    bool isSelectionDue_ = false;
    std::size_t reportedTop_ = 0;
    std::size_t reportedOnScreen_ = 0;
    std::string spokenOrder_;
    std::string spokenCount_;
    mutable std::wstring cell_;  // the text the list view was handed last
};
