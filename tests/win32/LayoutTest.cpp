// The fixed window at 96 dpi, its tab order and the names screen readers hear.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "WindowDriver.h"
#include "WindowGeometry.h"

namespace {

Geometry::PixelRect ClientRect(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return text;
}

}  // namespace

TEST(Form1Layout, PlacesTabsAndNamesTheControlsAtTheWindowsDpi) {
    const TempFolder folder;
    WindowDriver window(folder.path());
    const HWND form = window.form().Handle();
    ASSERT_EQ(::GetDpiForWindow(form), 96u);
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 449);
    EXPECT_EQ(client.bottom, 327);
    EXPECT_EQ(TextOf(form), L"MIDタイトル");
    EXPECT_EQ(::GetWindowLongW(form, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "fixed size";

    // Then moved to a 144-dpi monitor, as Windows tells a per-monitor aware window.
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        RECT suggested{0, 0, 700, 540};
        if (dpi != 96) ::SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const Geometry::WindowGeometry layout(dpi);
        const struct { const char* name; HWND control; Geometry::PixelRect rect; } controls[] = {
            {"Drive1", window.Drive1(), layout.Drive1()},
            {"Dir1", window.Dir1(), layout.Dir1()},
            {"File1", window.File1(), layout.File1()},
            {"Text1", window.form().Text1(), layout.Text1()},
        };
        for (const auto& c : controls) EXPECT_EQ(ClientRect(c.control), c.rect) << c.name;
    }

    const struct { HWND control; const wchar_t* name; } order[] = {
        {window.Drive1(), L"ドライブ"},
        {window.Dir1(), L"フォルダー"},
        {window.File1(), L"ファイル"},
        {window.form().Text1(), L"情報"},
    };
    ::SetFocus(order[0].control);
    for (std::size_t i = 0; i < std::size(order); ++i) {
        SCOPED_TRACE(i);
        // Tab as the message loop hands it over; Text1 gives the keys up too.
        MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        EXPECT_TRUE(::IsDialogMessageW(form, &tab));
        EXPECT_EQ(::GetFocus(), order[(i + 1) % std::size(order)].control);
        // A screen reader names a list or an edit box after the label before it.
        const HWND label = ::GetWindow(order[i].control, GW_HWNDPREV);
        wchar_t className[16] = {};
        ::GetClassNameW(label, className, 16);
        EXPECT_EQ(std::wstring_view(className), L"Static");
        EXPECT_EQ(TextOf(label), order[i].name);
    }
}
