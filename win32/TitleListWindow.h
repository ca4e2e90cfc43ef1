#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "Catalogue.h"
#include "FontHandle.h"
#include "Mailbox.h"
#include "TitleListTable.h"

namespace Runtime {
class FolderTreeWatch;
}  // namespace Runtime

// The title list (タイトル一覧) on Win32: a resizable top-level window of
// its own with the filter box, the サブフォルダーも含める check box, the
// count and the table, drawing what TitleList::Catalogue tells it and
// turning the person's input into its calls. Compare qt/TitleListWindow.
// Closing it hides it and lets go of its songs. Not copyable or movable:
// the window points back at it.
class TitleListWindow final : public TitleList::CatalogueView {
public:
    // Makes the window, hidden; Enter or a double-click on a row hands
    // that row's file to showInForm1.
    TitleListWindow(HINSTANCE instance, std::function<void(const Services::SelectedFile&)> showInForm1);
    TitleListWindow(const TitleListWindow&) = delete;
    TitleListWindow& operator=(const TitleListWindow&) = delete;
    ~TitleListWindow();

    // Lists nativeFolder (absolute) and brings the window to the front.
    void Open(std::string_view nativeFolder);

    HWND Handle() const noexcept { return window_; }
    // The controls, read by the tests that drive the window.
    HWND Filter() const noexcept { return filter_; }
    HWND Subfolders() const noexcept { return subfolders_; }
    HWND Count() const noexcept { return count_; }
    HWND Table() const noexcept { return table_.Handle(); }

    void ShowTitle(std::string_view title) override;
    void ShowRows(std::size_t count) override { table_.ShowRows(count); }
    void ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current) override {
        table_.ShowSelection(rows, current);
    }
    void ScrollTo(std::size_t topRow) override { table_.ScrollTo(topRow); }
    void ShowCount(std::string_view count, std::string_view spoken) override;
    void ShowOrder(std::optional<TitleList::Column> column, bool isDescending, std::string_view spoken) override;
    void ShowFailure(const Runtime::RuntimeError& error) override;

private:
    static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ControlKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    LRESULT Answer(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void ConnectTable();
    void Fit(int dotsPerInch);
    void PlaceControls();
    bool AnswerKey(HWND control, UINT key);
    void Close();
    void WatchFolder();
    void FollowDisk();
    void CopySelectedRows() const;
    void ShowTableMenu(LPARAM at);
    void SaveShownRows();

    HINSTANCE instance_;
    // Fonts first: they outlive the window and the controls that use them.
    FontHandle font_;
    HWND window_ = nullptr;
    HWND filterLabel_ = nullptr;
    HWND filter_ = nullptr;
    HWND subfolders_ = nullptr;
    HWND count_ = nullptr;
    TitleListTable table_;
    HWND focused_ = nullptr;  // the control that had the keys when the window lost them
    int dotsPerInch_ = 96;
    std::string folder_;  // the folder listed; empty while closed
    std::unique_ptr<Runtime::FolderTreeWatch> watch_;
    Services::Mailbox mailbox_;
    std::unique_ptr<TitleList::Catalogue> catalogue_;  // last: gone first, so nothing arrives for a window gone
};
