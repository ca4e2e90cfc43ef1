#include "TitleListTable.h"

#include <algorithm>
#include <iterator>

#include "CatalogueText.h"
#include "WideText.h"

namespace {

// Posted to the list view itself: the selection changed, to be told once
// the list view has done with the click or key that changed it.
constexpr UINT kSelectionDue = WM_APP + 20;

// Each column's width at 96 dpi, in the order of TitleList::kColumns.
constexpr int kColumnWidths[] = {170, 260, 80, 70, 60, 190};

bool IsNumberColumn(TitleList::Column column) {
    return column == TitleList::Column::Format || column == TitleList::Column::Tracks ||
           column == TitleList::Column::Division;
}

}  // namespace

TitleListTable::~TitleListTable() {
    if (list_ != nullptr) ::RemoveWindowSubclass(list_, Subclassed, 0);
}

void TitleListTable::Create(HWND parent, int id) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    const std::wstring name = Runtime::WideFromUtf8(TitleList::kWindowName);
    // Screen readers name the list view after the label just before it; its
    // order and count follow its name there.
    label_ = ::CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, name.c_str(), kStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int index = 0; index < static_cast<int>(std::size(TitleList::kColumns)); ++index) {
        const TitleList::Column column = TitleList::kColumns[index];
        std::wstring heading = Runtime::WideFromUtf8(TitleList::ColumnName(column));
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        info.fmt = IsNumberColumn(column) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        info.cx = kColumnWidths[index];
        info.pszText = heading.data();
        info.iSubItem = index;
        ::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    }
    ::SetWindowSubclass(list_, Subclassed, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TitleListTable::Fit(HFONT font, int dotsPerInch) {
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (int index = 0; index < static_cast<int>(std::size(kColumnWidths)); ++index)
        ::SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), ::MulDiv(kColumnWidths[index], dotsPerInch, 96));
}

void TitleListTable::ShowRows(std::size_t count) {
    isShowing_ = true;
    ::SendMessageW(list_, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    // Any row may have changed: those on screen are asked for again.
    ::InvalidateRect(list_, nullptr, FALSE);
    isShowing_ = false;
}

void TitleListTable::ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current) {
    isShowing_ = true;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = state.stateMask = LVIS_SELECTED;
    for (const std::size_t row : rows) ::SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    if (current) {
        state.state = state.stateMask = LVIS_FOCUSED;
        ::SendMessageW(list_, LVM_SETITEMSTATE, *current, reinterpret_cast<LPARAM>(&state));
        ::SendMessageW(list_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(*current));
    }
    isShowing_ = false;
}

void TitleListTable::ScrollTo(std::size_t topRow) {
    const auto top = static_cast<std::size_t>(::SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (top == topRow || !::SendMessageW(list_, LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&row))) return;
    // A report view scrolls by pixels, a row's height at a time.
    const long long rows = static_cast<long long>(topRow) - static_cast<long long>(top);
    isShowing_ = true;
    ::SendMessageW(list_, LVM_SCROLL, 0, static_cast<LPARAM>(rows * (row.bottom - row.top)));
    isShowing_ = false;
    reportedTop_ = static_cast<std::size_t>(::SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
}

void TitleListTable::ShowOrder(std::optional<TitleList::Column> column, bool isDescending) {
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(list_, LVM_GETHEADER, 0, 0));
    for (int index = 0; index < static_cast<int>(std::size(TitleList::kColumns)); ++index) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == TitleList::kColumns[index]) item.fmt |= isDescending ? HDF_SORTDOWN : HDF_SORTUP;
        ::SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

void TitleListTable::Announce(std::string_view order, std::string_view count) {
    if (!order.empty()) spokenOrder_ = order;
    if (!count.empty()) spokenCount_ = count;
    const std::string label = std::string(TitleList::kWindowName) + " " + spokenOrder_ + " " + spokenCount_;
    ::SetWindowTextW(label_, Runtime::WideFromUtf8(label).c_str());
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, list_, OBJID_CLIENT, CHILDID_SELF);
}

std::optional<std::size_t> TitleListTable::Current() const {
    const LRESULT row = ::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    if (row < 0) return std::nullopt;
    return static_cast<std::size_t>(row);
}

std::optional<LRESULT> TitleListTable::Notify(const NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOW: FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))); return 0;
    case LVN_ODFINDITEMW: return FindTyped(reinterpret_cast<const NMLVFINDITEMW&>(header));
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 && ((change.uOldState ^ change.uNewState) & (LVIS_SELECTED | LVIS_FOCUSED)) != 0)
            NoteSelectionChange();
        return 0;
    }
    case LVN_ODSTATECHANGED: NoteSelectionChange(); return 0;
    case LVN_COLUMNCLICK: {
        const int index = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
        if (index >= 0 && index < static_cast<int>(std::size(TitleList::kColumns)) && headerClicked)
            headerClicked(TitleList::kColumns[index]);
        return 0;
    }
    case LVN_ITEMACTIVATE: {
        const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
        if (row >= 0 && activated) activated(static_cast<std::size_t>(row));
        return 0;
    }
    default: return std::nullopt;
    }
}

void TitleListTable::FillCell(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0 || item.iItem < 0) return;
    if (item.iSubItem < 0 || item.iSubItem >= static_cast<int>(std::size(TitleList::kColumns)) || !cellText) return;
    cell_ = Runtime::WideFromUtf8(cellText(static_cast<std::size_t>(item.iItem), TitleList::kColumns[item.iSubItem]));
    const std::size_t length = std::min(cell_.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::copy_n(cell_.data(), length, item.pszText);
    item.pszText[length] = L'\0';
}

LRESULT TitleListTable::FindTyped(const NMLVFINDITEMW& find) const {
    // The letters typed into the table: the next row whose name starts with them, letter case ignored.
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr || !cellText) return -1;
    const std::wstring_view sought(find.lvfi.psz);
    const auto count = static_cast<std::size_t>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    const auto start = static_cast<std::size_t>(std::max(find.iStart, 0));
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t row = (start + step) % count;
        const std::wstring name = Runtime::WideFromUtf8(cellText(row, TitleList::Column::Name));
        if (name.size() >= sought.size() &&
            ::CompareStringOrdinal(name.data(), static_cast<int>(sought.size()), sought.data(), static_cast<int>(sought.size()), TRUE) == CSTR_EQUAL)
            return static_cast<LRESULT>(row);
    }
    return -1;
}

void TitleListTable::NoteSelectionChange() {
    if (isShowing_ || isSelectionDue_) return;
    // A click changes the state of several rows one by one: told once, when all are changed.
    isSelectionDue_ = ::PostMessageW(list_, kSelectionDue, 0, 0) != FALSE;
}

void TitleListTable::ReportSelection() {
    isSelectionDue_ = false;
    std::vector<std::size_t> rows;
    for (LRESULT row = -1; (row = ::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) >= 0;)
        rows.push_back(static_cast<std::size_t>(row));
    if (selected) selected(rows, Current());
    ReportPlace();
}

void TitleListTable::ReportPlace() {
    if (isShowing_) return;
    const auto top = static_cast<std::size_t>(::SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
    const auto onScreen = static_cast<std::size_t>(::SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    if (top == reportedTop_ && onScreen == reportedOnScreen_) return;
    reportedTop_ = top;
    reportedOnScreen_ = onScreen;
    if (scrolled) scrolled(top, onScreen);
}

LRESULT CALLBACK TitleListTable::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    auto& table = *reinterpret_cast<TitleListTable*>(self);
    try {
        switch (message) {
        case WM_GETDLGCODE: {
            // Enter activates the row, as a double-click does, rather than a dialog's default button.
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            const LRESULT code = ::DefSubclassProc(window, message, wParam, lParam);
            return key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? code | DLGC_WANTALLKEYS : code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                if (const auto row = table.Current(); row && table.activated) table.activated(*row);
                return 0;
            }
            if (table.keyPressed) table.keyPressed(static_cast<UINT>(wParam));
            break;
        case kSelectionDue: table.ReportSelection(); return 0;
        default: break;
        }
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_VSCROLL || message == WM_MOUSEWHEEL || message == WM_KEYDOWN || message == WM_SIZE)
            table.ReportPlace();
        return result;
    } catch (...) {
        // Nothing may unwind through the system's window code.
        return 0;
    }
}
