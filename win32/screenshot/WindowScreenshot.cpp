// Draws Form1, started in the current folder, with one file selected, into
// a BMP: win32_screenshot OUTPUT.bmp FILE-NAME. Used by
// scripts/screenshot-windows, which makes the PNG.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Form1.h"
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

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: win32_screenshot OUTPUT.bmp FILE-NAME\n");
        return 2;
    }
    Form1 form(::GetModuleHandleW(nullptr), false);
    ::SetWindowPos(form.Handle(), HWND_TOP, 24, 24, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    const std::string wanted = Runtime::Utf8FromWide(argv[2]);
    const FileBox& files = form.File1();
    int row = 0;
    while (row < files.Count() && files.Row(row).entry.DisplayName != wanted) ++row;
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
