#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ReportFetcher.h"

class TitleListWindow;

// How Form1 reaches the title list: Ctrl+L in any of its controls, and
// File1's context menu (the right button or the menu key) with
// タイトル一覧(&L)…, open it on the folder Form1 shows; opening it again
// from another folder reuses it; closing Form1 closes it. Not copyable or
// movable: the windows it subclasses point back at it.
class TitleListLink {
public:
    TitleListLink();
    TitleListLink(const TitleListLink&) = delete;
    TitleListLink& operator=(const TitleListLink&) = delete;
    ~TitleListLink();

    // Hooks into form, whose file list is file1, once its controls are made.
    // shownFolder tells the folder Form1 shows; showFile brings Form1 to a file.
    void Install(HWND form, HWND file1, std::function<std::string()> shownFolder,
                 std::function<void(const Services::SelectedFile&)> showFile);
    // Opens the title list on the folder Form1 shows.
    void Open();
    // The title list, once opened: read by the tests that drive it.
    TitleListWindow* Window() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK Subclassed(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    void ShowMenu(LPARAM at);

    HWND form_ = nullptr;
    HWND file1_ = nullptr;
    std::function<std::string()> shownFolder_;
    std::function<void(const Services::SelectedFile&)> showFile_;
    std::unique_ptr<TitleListWindow> window_;
};
