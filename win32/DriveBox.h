#pragma once

#include <windows.h>

#include "DriveChoice.h"

namespace Window {
class Form1;
}  // namespace Window

// Drive1 on a drop-down list: the volumes Window::DriveChoice keeps, each
// with its label. A person settles on another drive at once with the
// arrow keys on the closed list, and on closing the open one, so running
// through the open list tries no drive. Opening it reads the drives again.
class DriveBox : public Window::DriveView {
public:
    DriveBox() = default;
    ~DriveBox() override;  // lets go of the combo box it subclassed
    DriveBox(const DriveBox&) = delete;
    DriveBox& operator=(const DriveBox&) = delete;

    void Create(HWND parent, int id);
    void SetForm(Window::Form1& form) noexcept { form_ = &form; }
    HWND Handle() const noexcept { return combo_; }
    void SetFont(HFONT font);
    // Makes the closed list fieldHeight pixels high, whatever its frame takes.
    void FitFieldHeight(int fieldHeight);
    void Notify(int code);

    void ShowVolumes(std::span<const Runtime::Volume> volumes) override;
    void ShowDrive(int index) override;

private:
    static LRESULT CALLBACK Subclassed(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
    int Selected() const noexcept;

    HWND combo_ = nullptr;
    Window::Form1* form_ = nullptr;
};
