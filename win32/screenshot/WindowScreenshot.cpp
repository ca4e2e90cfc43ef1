// Draws Form1, started in the current folder, with one file selected, into
// a BMP: win32_screenshot OUTPUT.bmp FILE-NAME; or the title list opened
// there on its subfolders too, filtered and sorted by title:
// win32_screenshot --title-list OUTPUT.bmp FILTER. Used by
// scripts/screenshot-windows, which makes the PNGs.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "Form1.h"
#include "TitleListWindow.h"
#include "WideText.h"

namespace {

void Pump(DWORD milliseconds) {
    const ULONGLONG until = ::GetTickCount64() + milliseconds;
    MSG message{};
    while (::GetTickCount64() < until) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(10);
    }
}

// The window as the screen shows it, frame included, as a 24-bit BMP.
bool SaveWindow(HWND window, const wchar_t* path) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + pixels.size()),
                                0, 0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// Opens the title list as Ctrl+L does, ticks サブフォルダーも含める, types
// filter, sorts by title and selects the first row.
int SaveTitleList(const Form1& form, const wchar_t* path, const wchar_t* filter) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(form.File1().Handle(), WM_KEYDOWN, 'L', 1);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    TitleListWindow* list = form.Titles().Window();
    if (list == nullptr) return std::fprintf(stderr, "win32_screenshot: the title list did not open\n"), 1;
    ::SetWindowPos(list->Handle(), HWND_TOP, 16, 16, 868, 300, SWP_SHOWWINDOW);
    ::SendMessageW(list->Subfolders(), BM_CLICK, 0, 0);
    ::SetWindowTextW(list->Filter(), filter);
    Pump(1500);
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(list->Table(), LVM_GETHEADER, 0, 0));
    RECT title{};
    ::SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
    const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
    LVITEMW first{};
    first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list->Table(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    ::SetFocus(list->Table());
    Pump(1500);  // drawn by the X server in its own time
    return SaveWindow(list->Handle(), path) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc == 4 && std::wstring_view(argv[1]) == L"--title-list") {
        Form1 form(::GetModuleHandleW(nullptr), false);
        return SaveTitleList(form, argv[2], argv[3]);
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: win32_screenshot OUTPUT.bmp FILE-NAME | --title-list OUTPUT.bmp FILTER\n");
        return 2;
    }
    Form1 form(::GetModuleHandleW(nullptr), false);
    ::SetWindowPos(form.Handle(), HWND_TOP, 24, 24, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    const std::string wanted = Runtime::Utf8FromWide(argv[2]);
    const FileBox& files = form.File1();
    int row = 0;
    while (row < files.Count() && files.Row(row).Entry.DisplayName != wanted) ++row;
    if (row == files.Count()) {
        std::fprintf(stderr, "win32_screenshot: %s is not in the file list\n", wanted.c_str());
        return 1;
    }
    RECT item{};
    ::SendMessageW(files.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(files.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(files.Handle(), WM_LBUTTONUP, 0, point);
    ::SetFocus(files.Handle());
    Pump(1500);  // drawn by the X server in its own time
    return SaveWindow(form.Handle(), argv[1]) ? 0 : 1;
}
