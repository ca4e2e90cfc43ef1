#include "EntryListBox.h"

#include <commctrl.h>

#include <algorithm>

#include "NamePattern.h"
#include "WideText.h"

namespace {

// Letters typed further apart than this start a new search.
constexpr DWORD kTypingPause = 1000;

bool StartsWithIgnoringCase(const std::string& name, const std::string& prefixKey) {
    return name.size() >= prefixKey.size() &&
           Runtime::SortKeyIgnoringCase(std::string_view(name).substr(0, prefixKey.size())) == prefixKey;
}

}  // namespace

EntryListBox::~EntryListBox() {
    if (list_ != nullptr) ::RemoveWindowSubclass(list_, Subclassed, 0);
}

void EntryListBox::Create(HWND parent, int id, const wchar_t* accessibleName) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    // Screen readers name a list box after the label just before it; the
    // fixed layout has no room to draw one.
    accessibleName_ = accessibleName;
    label_ = ::CreateWindowExW(0, L"STATIC", accessibleName, WS_CHILD, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NODATA |
                             LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", accessibleName, kStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ::SetWindowSubclass(list_, Subclassed, 0, reinterpret_cast<DWORD_PTR>(this));
}

void EntryListBox::SetFont(HFONT font) {
    ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const HDC context = ::GetDC(list_);
    const HGDIOBJ old = ::SelectObject(context, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(context, &metrics);
    ::SelectObject(context, old);
    ::ReleaseDC(list_, context);
    ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
}

void EntryListBox::Draw(const DRAWITEMSTRUCT& item) const {
    const bool isSelected = (item.itemState & ODS_SELECTED) != 0;
    const bool isDisabled = (item.itemState & ODS_DISABLED) != 0;
    const int background = !isSelected ? COLOR_WINDOW : isDisabled ? COLOR_BTNFACE : COLOR_HIGHLIGHT;
    const int ink = isDisabled ? COLOR_GRAYTEXT : isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(background));
    if (item.itemID < rows_.size()) {
        const EntryRow& row = rows_[item.itemID];
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(item.hDC, &metrics);
        RECT text = item.rcItem;
        // The chain of folders reads as a path: each step a little further in.
        text.left += 2 + row.depth * metrics.tmHeight * 2 / 3;
        if (const HICON glyph = GlyphOf(static_cast<int>(item.itemID))) {
            const int size = item.rcItem.bottom - item.rcItem.top - 2;
            ::DrawIconEx(item.hDC, text.left, item.rcItem.top + 1, glyph, size, size, 0, nullptr, DI_NORMAL);
            text.left += size + 3;
        }
        ::SetBkMode(item.hDC, TRANSPARENT);
        ::SetTextColor(item.hDC, ::GetSysColor(ink));
        const std::wstring name = Runtime::WideFromUtf8(row.entry.DisplayName);
        ::DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(item.hDC, &item.rcItem);
}

int EntryListBox::FindTyped(wchar_t character, DWORD time) {
    if (character < L' ' || rows_.empty()) return -2;
    if (time - typedAt_ > kTypingPause) typed_.clear();
    typedAt_ = time;
    typed_ += character;
    // The same letter again steps on to the next name that starts with it.
    const bool isRepeat = typed_.size() > 1 && typed_.find_first_not_of(typed_.front()) == std::wstring::npos;
    const std::wstring& sought = isRepeat ? typed_.substr(0, 1) : typed_;
    const std::string key = Runtime::SortKeyIgnoringCase(Runtime::Utf8FromWide(sought));
    const int count = Count();
    const int current = Current();
    const int start = current < 0 ? 0 : (typed_.size() == 1 || isRepeat ? current + 1 : current);
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        if (StartsWithIgnoringCase(rows_[static_cast<std::size_t>(row)].entry.DisplayName, key)) return row;
    }
    return -2;
}

int EntryListBox::Current() const noexcept {
    return static_cast<int>(::SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

bool EntryListBox::BeforeDefault(UINT, WPARAM, LPARAM) { return false; }

void EntryListBox::AnnounceState(std::wstring_view state) {
    const std::wstring label = state.empty() ? accessibleName_ : accessibleName_ + L" " + std::wstring(state);
    ::SetWindowTextW(label_, label.c_str());
}

void EntryListBox::SetRows(std::vector<EntryRow> rows) {
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    rows_ = std::move(rows);
    ::SendMessageW(list_, LB_SETCOUNT, rows_.size(), 0);
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

void EntryListBox::Select(int index) { ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int EntryListBox::RowNamed(const std::string& nativeName, int from) const {
    for (int row = from; row < Count(); ++row) {
        if (rows_[static_cast<std::size_t>(row)].entry.NativeName == nativeName) return row;
    }
    return -1;
}

EntryListBox::TopRow EntryListBox::Top() const {
    const int row = static_cast<int>(::SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    if (row < 0 || row >= Count()) return {};
    return {Row(row).entry.NativeName, row};
}

void EntryListBox::ScrollBackTo(const TopRow& top) {
    if (top.row < 0 || rows_.empty()) return;
    const int row = RowNamed(top.name);
    ::SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(row >= 0 ? row : std::min(top.row, Count() - 1)), 0);
}

LRESULT CALLBACK EntryListBox::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    auto& list = *reinterpret_cast<EntryListBox*>(self);
    if (message == WM_GETDLGCODE)
        return list.DialogCode(::DefSubclassProc(window, message, wParam, lParam), reinterpret_cast<MSG*>(lParam));
    try {
        if (list.BeforeDefault(message, wParam, lParam)) return 0;
    } catch (...) {
        // Nothing may unwind through the system's window code; the list
        // box still gets the message.
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}
