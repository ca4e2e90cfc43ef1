#pragma once

#include <functional>

#include "EntryListBox.h"
#include "ListView.h"

// File1 on a list box: the rows Window::FileChoice keeps, at most one
// selected. It tells what the person does to it: a selection made or
// changed (click, keys, drag, typing), and, before the list box acts on
// them, a key pressed, a mouse button pressed and every move of the mouse
// over it. What the core does to the rows is silent, as LB_SETCURSEL is.
class FileBox : public EntryListBox, public Window::ListView {
public:
    std::function<void()> selectionClicked;
    std::function<void(int key, int shift)> keyPressed;
    std::function<void(int button, int shift, int x, int y)> mousePressed;
    std::function<void(int button, int shift, int x, int y)> mouseMoved;

    void Notify(int code);

    void ShowRows(std::span<const Window::Row> rows) override;
    int Selected() const override { return Current(); }
    void Select(int row) override { EntryListBox::Select(row); }
    // A single-selection list box keeps its caret on its selection.
    void PlaceCaret(int) override {}
    int TopRow() const override { return TopIndex(); }
    void ScrollToTop(int row) override { SetTopIndex(row); }
    void ShowReading(bool isReading) override;

protected:
    bool BeforeDefault(UINT message, WPARAM wParam, LPARAM lParam) override;
};
