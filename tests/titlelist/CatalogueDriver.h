#pragma once

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeWindow.h"
#include "Catalogue.h"
#include "HeldReads.h"
#include "PathText.h"
#include "SmfBytes.h"
#include "TempFolder.h"

// The title list's window as the tests play it: what the core told it,
// the rows read back through CellText as a table asks for them.
struct FakeCatalogueView : TitleList::CatalogueView {
    void ShowTitle(std::string_view text) override { title = text; }
    void ShowRows(std::size_t count) override { rows = count, ++redraws; }
    void ShowSelection(std::span<const std::size_t> shown, std::optional<std::size_t> focus) override {
        selection.assign(shown.begin(), shown.end());
        current = focus;
    }
    void ScrollTo(std::size_t row) override { top = row; }
    void ShowCount(std::string_view shown, std::string_view heard) override { count = shown, spokenCount = heard; }
    void ShowOrder(std::optional<TitleList::Column>, bool, std::string_view heard) override { spokenOrder = heard; }
    void ShowFailure(const Runtime::RuntimeError& error) override { failures.push_back(error.Number); }

    std::string title, count, spokenCount, spokenOrder;
    std::size_t rows = 0, redraws = 0, top = 0;
    std::vector<std::size_t> selection;
    std::optional<std::size_t> current;
    std::vector<int> failures;
};

// A file whose text is its title, as the catalogue's tests write songs:
// titles in UTF-8 need no Shift_JIS here, which the reader is tested on.
inline constexpr std::string_view kTitleMark = "title:";

inline MIDTitle::MidReading ReadSongOrTitle(const Services::FileToRead& file) {
    std::ifstream in(file.Path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!text.starts_with(kTitleMark)) return Services::ReadFile(file);
    return {{1, 2, 480, text.substr(kTitleMark.size())}, true};
}

// A catalogue on a folder of its own, reading one file at a time, its
// deliveries run when the test says. A read of a name holding "hung" is
// held until let through, and its title tells which read it was: "T #2".
class CatalogueDriver {
public:
    ~CatalogueDriver() { held->LetAll(); }  // reads left waiting end, so their workers do

    std::string Native(const std::string& below = {}) const {
        return Runtime::Utf8FromPath(below.empty() ? folder.path() : At(below));
    }
    std::filesystem::path At(const std::string& below) const { return folder.path() / Runtime::PathFromUtf8(below); }
    void Song(const std::string& below, const std::string& title) const {
        std::filesystem::create_directories(At(below).parent_path());
        folder.Write(below, Ascii(std::string(kTitleMark) + title));
    }

    // Runs the deliveries that arrive until done() holds; false after ten seconds.
    bool Until(const std::function<bool()>& done) {
        for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10); !done();) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            window.RunPosted();
        }
        return true;
    }
    // Until every song is read and no walk is on its way.
    bool Settled() {
        return Until([this] { return view.count.empty(); });
    }
    // Column c of every row, in order.
    std::vector<std::string> Cells(TitleList::Column c = TitleList::Column::Name) const {
        std::vector<std::string> cells;
        for (std::size_t row = 0; row < catalogue.RowCount(); ++row) cells.push_back(catalogue.CellText(row, c));
        return cells;
    }

    const TempFolder folder;
    FakeCatalogueView view;
    std::optional<Services::SelectedFile> shownInForm1;
    FakeWindow window;
    std::shared_ptr<HeldReads> held = std::make_shared<HeldReads>();
    TitleList::Catalogue catalogue{
        view,
        {window.Poster(), [this](const Services::SelectedFile& file) { shownInForm1 = file; }, 1,
         [held = held](const Services::FileToRead& file) {
             const std::string name = Runtime::Utf8FromPath(file.Path.filename());
             const int number = name.find("hung") != std::string::npos ? held->Hold() : 0;
             MIDTitle::MidReading reading = ReadSongOrTitle(file);
             if (number > 0) reading.Info.Title += " #" + std::to_string(number);
             return reading;
         }}};
};
