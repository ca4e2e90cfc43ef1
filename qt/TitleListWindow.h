#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "CatalogueView.h"

namespace Services {
struct SelectedFile;
}
namespace TitleList {
class Catalogue;
}

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;
class TitleListModel;
class TitleListWatch;

// The title list (タイトル一覧): a window of its own beside Form1 with the
// songs of a folder in a table, a filter box, the subfolders check box and
// the count. What it shows and how it orders and filters is the
// catalogue's; the window turns input into the catalogue's calls and
// draws what it is told.
class TitleListWindow : public QWidget, private TitleList::CatalogueView {
public:
    // showInForm1: Enter or a double-click on a row; brings Form1 to that file.
    explicit TitleListWindow(std::function<void(const Services::SelectedFile&)> showInForm1);
    ~TitleListWindow() override;  // returns at once, even with a read hanging

    // Shows the window on nativeFolder's songs, read anew.
    void open(const std::string& nativeFolder);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTitle(std::string_view title) override;
    void ShowRows(std::size_t count) override;
    void ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current) override;
    void ScrollTo(std::size_t topRow) override;
    void ShowCount(std::string_view count, std::string_view spoken) override;
    void ShowOrder(std::optional<TitleList::Column> column, bool isDescending, std::string_view spoken) override;
    void ShowFailure(const Runtime::RuntimeError& error) override;

    void createControls();
    void connectInput();
    void reportSelection();
    void reportScroll();
    void copyRows();
    void saveRows();
    void describeTable();

    QLineEdit* filter_;
    QCheckBox* subfolders_;
    QLabel* count_;
    QTableView* table_;
    TitleListWatch* watch_;
    QTimer* watchFollowing_;  // the watch follows the folders listed a little after rows arrive
    QString folder_;  // where a save starts
    QString spokenCount_;
    QString spokenOrder_;
    bool isShowing_ = false;  // the catalogue draws: what the table does now is not the person's
    // Last: goes first, so nothing it does reaches controls gone.
    std::unique_ptr<TitleList::Catalogue> catalogue_;
    TitleListModel* model_;
};
