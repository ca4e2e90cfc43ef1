#pragma once

#include <windows.h>

#include <string>

#include "Views.h"

// Text1: a read-only edit box with a caret the keys move, showing the
// report from its end, where the title is. What it shows and when is
// Window::ReportShown's. Not copyable or movable: the core points at it.
class ReportBox : public Window::ReportView {
public:
    ReportBox() = default;
    ReportBox(const ReportBox&) = delete;
    ReportBox& operator=(const ReportBox&) = delete;

    void Create(HWND window, int id);
    HWND Handle() const noexcept { return box_; }

    void ShowReport(const std::string& text) override;

private:
    void ShowEnd(bool endsInBreak);  // the caret left where it is

    HWND box_ = nullptr;
};
