#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "EntryListBox.h"
#include "NamePattern.h"

// File1: the files of its folder whose names match "*.smf;*.mid", letter
// case ignored, at most one selected. Besides the folder it reports what
// the person does to it: a selection made or changed (click, keys, drag,
// typing), and, before the list box acts on them, a key pressed, a mouse
// button pressed and every move of the mouse over it. Follows its folder
// on disk when told: the selected file stays selected, and what the list
// does to follow is not reported as the person's doing.
class FileBox : public EntryListBox {
public:
    std::function<void()> selectionClicked;
    std::function<void(int key, int shift)> keyPressed;
    std::function<void(int button, int shift, int x, int y)> mousePressed;
    std::function<void(int button, int shift, int x, int y)> mouseMoved;

    const std::string& NativePath() const noexcept { return nativePath_; }
    const std::string& ReadablePath() const noexcept { return nativePath_; }  // Windows names are Unicode

    // Lists path; throws Runtime::RuntimeError when the folder cannot be
    // read, and then nothing changes.
    void SetNativePath(std::string_view path);

    void Notify(int code);
    // Reads the folder again, after it changed on disk.
    void FollowDisk();

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<EntryRow> Read(const std::string& absolute);

    std::string nativePath_;
    Runtime::NamePattern pattern_{"*.smf;*.mid"};
};
