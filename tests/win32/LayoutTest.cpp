// The fixed window at 96 and 144 dpi, the report's title in view, the tab order and the names screen readers hear.
#include <gtest/gtest.h>

#include "Files.h"
#include "TempFolder.h"
#include "WindowDriver.h"
#include "WindowGeometry.h"

// Whether Text1 shows the report's title line whole, scrolled as it is.
static bool IsTitleInView(WindowDriver& window) {
    const HWND text1 = window.form().Text1();
    const std::wstring text = Runtime::WideFromUtf8(window.Text1());
    const std::size_t title = text.find(L"タイトル－"), end = text.find(L"\r\n", title);
    const auto top = [&](std::size_t at) { return static_cast<short>(HIWORD(::SendMessageW(text1, EM_POSFROMCHAR, at, 0))); };
    const int lineHeight = top(static_cast<std::size_t>(::SendMessageW(text1, EM_LINEINDEX, 1, 0))) - top(0);
    RECT shown{};
    ::SendMessageW(text1, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    return title != std::wstring::npos && top(title) >= shown.top && top(end - 1) + lineHeight <= shown.bottom;
}

TEST(Form1Layout, PlacesTabsAndNamesTheControlsAndShowsTheTitleAtTheWindowsDpi) {
    const TempFolder folder;
    // Folders of Japanese names down to songs whose paths are 259 characters long, the longest Windows opens.
    std::filesystem::path deep = folder.path();
    while (deep.native().size() + 13 < 259)
        deep /= std::wstring(L"日本の曲日本の曲日本の曲日本の曲日本の曲").substr(0, std::min<std::size_t>(20, 259 - deep.native().size() - 14));
    const std::string titles[] = {"Haru", "Variations on a Theme, Variations on a Theme, Variations on a Theme, Variations"};
    for (const int i : {0, 1}) Put(deep, "song000" + std::to_string(i) + ".mid", TitledSong(titles[i]));
    WindowDriver window(deep);
    const HWND form = window.form().Handle();
    ASSERT_EQ(::GetDpiForWindow(form), 96u);
    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(449L, 327L));
    EXPECT_EQ(window.TextOf(form), L"MIDタイトル");
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
        // The report's title in view however long the path and the title, the report's text as it is.
        for (const int row : {0, 1}) {
            window.Click(window.File1(), row);
            EXPECT_TRUE(window.Shows(titles[row]));
            EXPECT_EQ(Runtime::WideFromUtf8(window.Shown(WindowDriver::kFile)).size(), 259u);
            EXPECT_TRUE(IsTitleInView(window)) << row;
        }
    }
    // Scrolled by the person, the box stays where they put it while the report stays the same.
    ::SendMessageW(window.form().Text1(), WM_VSCROLL, SB_TOP, 0);
    window.Mouse(window.File1(), WM_MOUSEMOVE, 0, 1);
    EXPECT_EQ(::SendMessageW(window.form().Text1(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    ::SetFocus(order[0].control);
    for (std::size_t i = 0; i < std::size(order); ++i) {
        SCOPED_TRACE(i);
        // Tab as the message loop hands it over; Text1 gives the keys up too.
        MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        EXPECT_TRUE(::IsDialogMessageW(form, &tab));
        EXPECT_EQ(::GetFocus(), order[(i + 1) % std::size(order)].control);
        // A screen reader names a list or an edit box after the label before it.
        const HWND label = ::GetWindow(order[i].control, GW_HWNDPREV);
        EXPECT_EQ(window.TextOf(label, ::GetClassNameW), L"Static");
        EXPECT_EQ(window.TextOf(label), order[i].label);
    }
}
