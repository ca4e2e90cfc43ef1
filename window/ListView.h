#pragma once

#include <cstdint>
#include <span>

#include "FolderContents.h"

namespace Window {

// One row of Dir1 or File1: the entry, how far it is indented, and the
// picture before it.
struct Row {
    enum class Glyph : std::uint8_t { None, OpenFolder, Folder };

    Runtime::FolderEntry Entry;
    int Depth = 0;
    Glyph Picture = Glyph::None;
};

// Dir1 or File1 as the core sees it. The rows live in the core; the view
// reads them through the span it is given, which holds until the next
// ShowRows, and keeps nothing per row: 100 000 files cost one vector.
class ListView {
public:
    virtual ~ListView() = default;
    // The rows are these now; nothing is selected.
    virtual void ShowRows(std::span<const Row> rows) = 0;
    // The row selected (File1) or highlighted (Dir1); -1 when none.
    virtual int Selected() const = 0;
    // Selects row (-1: none), quietly: the core's doing is not the person's.
    virtual void Select(int row) = 0;
    // Where the keys go on from while nothing is selected; selects nothing.
    virtual void PlaceCaret(int row) = 0;
    // The row shown at the top, -1 when none; and scrolling it back there.
    virtual int TopRow() const = 0;
    virtual void ScrollToTop(int row) = 0;
    // Looks disabled, and tells screen readers why, while its folder is read.
    virtual void ShowReading(bool isReading) = 0;
};

// The row of rows whose entry has this native name, from `from` on; -1 when none.
int RowNamed(std::span<const Row> rows, std::string_view nativeName, int from = 0);

}  // namespace Window
