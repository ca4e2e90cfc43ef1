// The fixed window at 96 dpi, its tab order and the names screen readers hear.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "WindowDriver.h"
#include "WindowGeometry.h"

// A window's text, or with GetClassNameW its class's name.
static std::wstring TextOf(HWND window, decltype(&::GetWindowTextW) get = ::GetWindowTextW) {
    wchar_t text[64] = {};
    get(window, text, 64);
    return text;
}

TEST(Form1Layout, PlacesTabsAndNamesTheControlsAtTheWindowsDpi) {
    const TempFolder folder;
    WindowDriver window(folder.path());
    const HWND form = window.form().Handle();
    ASSERT_EQ(::GetDpiForWindow(form), 96u);
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(449L, 327L));
    EXPECT_EQ(TextOf(form), L"MIDタイトル");
    EXPECT_EQ(::GetWindowLongW(form, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "fixed size";

    using Geometry::WindowGeometry;
    const struct { HWND control; const wchar_t* label; Geometry::PixelRect (WindowGeometry::*rect)() const; } order[] = {
        {window.Drive1(), L"ドライブ", &WindowGeometry::Drive1},
        {window.Dir1(), L"フォルダー", &WindowGeometry::Dir1},
        {window.File1(), L"ファイル", &WindowGeometry::File1},
        {window.form().Text1(), L"情報", &WindowGeometry::Text1},
    };
    // Then moved to a 144-dpi monitor, as Windows tells a per-monitor aware window.
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        RECT suggested{0, 0, 700, 540};
        if (dpi != 96) ::SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (const auto& c : order) {
            RECT rect{};
            ::GetWindowRect(c.control, &rect);
            ::MapWindowPoints(nullptr, ::GetParent(c.control), reinterpret_cast<POINT*>(&rect), 2);
            const Geometry::PixelRect placed{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
            EXPECT_EQ(placed, (WindowGeometry(dpi).*c.rect)()) << Runtime::Utf8FromWide(c.label);
        }
    }

    ::SetFocus(order[0].control);
    for (std::size_t i = 0; i < std::size(order); ++i) {
        SCOPED_TRACE(i);
        // Tab as the message loop hands it over; Text1 gives the keys up too.
        MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        EXPECT_TRUE(::IsDialogMessageW(form, &tab));
        EXPECT_EQ(::GetFocus(), order[(i + 1) % std::size(order)].control);
        // A screen reader names a list or an edit box after the label before it.
        const HWND label = ::GetWindow(order[i].control, GW_HWNDPREV);
        EXPECT_EQ(TextOf(label, ::GetClassNameW), L"Static");
        EXPECT_EQ(TextOf(label), order[i].label);
    }
}
