#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "RuntimeError.h"
#include "Songs.h"

namespace TitleList {

// The title list's window as the core draws it: what each front end fills
// in (a Qt model/view table, a Win32 virtual list view). The table is
// virtual: it asks the core for the rows it draws (Catalogue::CellText),
// so ShowRows costs the same for ten rows as for 100 000. Calls come on
// the window's thread; none of them but ShowFailure calls back into the
// core, and a view reports no selection or scroll of its own while one of
// them runs.
class CatalogueView {
public:
    // The window's title: "タイトル一覧 - <folder>".
    virtual void ShowTitle(std::string_view title) = 0;
    // The table holds count rows now, and any of them may have changed.
    // ShowSelection and ScrollTo follow when they apply.
    virtual void ShowRows(std::size_t count) = 0;
    // The rows selected, in order, and the one with the keyboard focus.
    virtual void ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current) = 0;
    // The row to show at the top of the table.
    virtual void ScrollTo(std::size_t topRow) = 0;
    // The count beside the filter ("1 234 / 5 000" while songs are read,
    // then nothing), and what a screen reader hears of the rows.
    virtual void ShowCount(std::string_view count, std::string_view spoken) = 0;
    // The header's sort indicator, and what a screen reader hears of it.
    virtual void ShowOrder(std::optional<Column> column, bool isDescending, std::string_view spoken) = 0;
    // The folder shown cannot be read (FailureText words it). The one call
    // that may run the window's events (a message box), so the core makes it
    // last, and anything may have happened by its end.
    virtual void ShowFailure(const Runtime::RuntimeError& error) = 0;

protected:
    ~CatalogueView() = default;
};

}  // namespace TitleList
