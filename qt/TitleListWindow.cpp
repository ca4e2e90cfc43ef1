#include "TitleListWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

#include "Catalogue.h"
#include "CatalogueText.h"
#include "FailureMessage.h"
#include "TitleListModel.h"
#include "TitleListWatch.h"
#include "WindowLayout.h"
#include "WindowPoster.h"

namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The folders followed a little after rows arrive, not on every batch of them.
constexpr int kWatchFollowing = 250;

}  // namespace

TitleListWindow::TitleListWindow(std::function<void(const Services::SelectedFile&)> showInForm1)
    : watchFollowing_(new QTimer(this)),
      catalogue_(std::make_unique<TitleList::Catalogue>(
          static_cast<TitleList::CatalogueView&>(*this), TitleList::CatalogueLinks{PosterFor(this), std::move(showInForm1)})) {
    setWindowFlag(Qt::Window);
    // Form1 ends the program when it closes; this window closes with it.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    watch_ = new TitleListWatch([this](const std::string& folder) { catalogue_->FolderChanged(folder); }, this);
    watchFollowing_->setSingleShot(true);
    watchFollowing_->setInterval(kWatchFollowing);
    connect(watchFollowing_, &QTimer::timeout, this, [this] { watch_->follow(catalogue_->Folders()); });
    connectInput();
}

TitleListWindow::~TitleListWindow() = default;

void TitleListWindow::createControls() {
    setFont(WindowLayout::windowFont());
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("Filter"));
    filter_->setAccessibleName(Text(TitleList::kFilterName));
    filter_->setPlaceholderText(Text(TitleList::kFilterName));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);
    subfolders_ = new QCheckBox(Text(TitleList::kSubfoldersName), this);
    subfolders_->setObjectName(QStringLiteral("Subfolders"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("Count"));

    model_ = new TitleListModel(*catalogue_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("TitleList"));
    table_->setAccessibleName(Text(TitleList::kWindowName));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // the scroll bar's value is the top row
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    // Rows of one height, never measured one by one: 100 000 rows cost what ten do.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setStretchLastSection(true);
    const int em = table_->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    for (const auto& [column, width] : {std::pair{TitleList::Column::Name, 16}, {TitleList::Column::Title, 24},
                                       {TitleList::Column::Format, 6}, {TitleList::Column::Tracks, 6},
                                       {TitleList::Column::Division, 5}}) {
        table_->setColumnWidth(static_cast<int>(column), width * em);
    }
    table_->viewport()->installEventFilter(this);
    table_->installEventFilter(this);
    auto* save = new QAction(Text(TitleList::kSaveCommand), table_);
    connect(save, &QAction::triggered, this, &TitleListWindow::saveRows);
    table_->addAction(save);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* bar = new QHBoxLayout;
    bar->addWidget(filter_, 1);
    bar->addWidget(subfolders_);
    bar->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(table_, 1);
    setTabOrder(filter_, subfolders_);
    setTabOrder(subfolders_, table_);
    resize(70 * em, 36 * em);
}

void TitleListWindow::connectInput() {
    connect(filter_, &QLineEdit::textChanged, this,
            [this](const QString& typed) { catalogue_->Filter(typed.toStdString()); });
    connect(subfolders_, &QCheckBox::toggled, this, [this](bool isChecked) { catalogue_->IncludeSubfolders(isChecked); });
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        catalogue_->SortBy(TitleList::kColumns[section]);
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TitleListWindow::reportSelection);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TitleListWindow::reportSelection);
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TitleListWindow::reportScroll);
    // Enter, or a double-click (or what the platform makes activation).
    connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        catalogue_->Activate(static_cast<std::size_t>(index.row()));
    });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    });
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            [this] { catalogue_->Refresh(); });
}

void TitleListWindow::open(const std::string& nativeFolder) {
    folder_ = QFile::decodeName(QByteArray::fromStdString(nativeFolder));
    catalogue_->Open(nativeFolder);
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TitleListWindow::closeEvent(QCloseEvent* event) {
    // What is still read is abandoned; the window is kept for the next opening.
    catalogue_->Close();
    watch_->follow({});
    QWidget::closeEvent(event);
}

bool TitleListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() && event->type() == QEvent::Resize) {
        reportScroll();
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == table_ && key->matches(QKeySequence::Copy)) {
            copyRows();
            return true;
        }
        // Esc clears the filter; while an input method composes, the method takes it first.
        if (watched == filter_ && key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
            !filter_->text().isEmpty()) {
            filter_->clear();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleListWindow::reportSelection() {
    if (isShowing_) return;
    std::vector<std::size_t> rows;
    for (const QItemSelectionRange& range : table_->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(static_cast<std::size_t>(row));
    }
    const QModelIndex current = table_->selectionModel()->currentIndex();
    catalogue_->Select(rows, current.isValid() ? std::optional<std::size_t>(current.row()) : std::nullopt);
}

void TitleListWindow::reportScroll() {
    if (isShowing_) return;
    const int rowHeight = std::max(1, table_->verticalHeader()->defaultSectionSize());
    catalogue_->Scroll(static_cast<std::size_t>(table_->verticalScrollBar()->value()),
                       static_cast<std::size_t>(table_->viewport()->height() / rowHeight));
}

void TitleListWindow::copyRows() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(catalogue_->SelectedRowsAsTsv()));
}

void TitleListWindow::saveRows() {
    QString title = Text(TitleList::kSaveCommand);
    title.chop(1);  // the menu's "…"
    // Opened, not run: no event loop runs inside the menu's handler.
    auto* dialog = new QFileDialog(this, title, folder_, QStringLiteral("CSV (*.csv)"));
    dialog->setObjectName(QStringLiteral("SaveDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(Text(TitleList::kWindowName) + QStringLiteral(".csv"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        if (const auto failure = catalogue_->SaveShownRows(QFile::encodeName(path).toStdString())) {
            ::ShowFailure(this, *failure);
        }
    });
    dialog->open();
}

void TitleListWindow::ShowTitle(std::string_view title) { setWindowTitle(Text(title)); }

void TitleListWindow::ShowRows(std::size_t count) {
    const bool wasShowing = std::exchange(isShowing_, true);
    model_->showRows(count);
    isShowing_ = wasShowing;
    if (!watchFollowing_->isActive()) watchFollowing_->start();
}

void TitleListWindow::ShowSelection(std::span<const std::size_t> rows, std::optional<std::size_t> current) {
    const bool wasShowing = std::exchange(isShowing_, true);
    QItemSelection selection;
    const int last = model_->columnCount() - 1;
    // Runs of rows as one range each: selecting all of 100 000 rows is one range.
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t end = first + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
        selection.select(model_->index(static_cast<int>(rows[first]), 0),
                         model_->index(static_cast<int>(rows[end - 1]), last));
        first = end;
    }
    QItemSelectionModel* model = table_->selectionModel();
    // The focus moves without scrolling to it: the catalogue says where the table is scrolled.
    table_->setAutoScroll(false);
    model->setCurrentIndex(current ? model_->index(static_cast<int>(*current), 0) : QModelIndex(),
                           QItemSelectionModel::NoUpdate);
    table_->setAutoScroll(true);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    isShowing_ = wasShowing;
}

void TitleListWindow::ScrollTo(std::size_t topRow) {
    const bool wasShowing = std::exchange(isShowing_, true);
    table_->verticalScrollBar()->setValue(static_cast<int>(topRow));
    isShowing_ = wasShowing;
}

void TitleListWindow::ShowCount(std::string_view count, std::string_view spoken) {
    count_->setText(Text(count));
    count_->setAccessibleName(Text(spoken));
    spokenCount_ = Text(spoken);
    describeTable();
}

void TitleListWindow::ShowOrder(std::optional<TitleList::Column> column, bool isDescending, std::string_view spoken) {
    table_->horizontalHeader()->setSortIndicator(column ? static_cast<int>(*column) : -1,
                                                 isDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    table_->horizontalHeader()->setAccessibleDescription(Text(spoken));
    spokenOrder_ = Text(spoken);
    describeTable();
}

void TitleListWindow::describeTable() {
    // What a screen reader says of the table besides its name: its order and its count.
    const QString description = spokenOrder_ + QStringLiteral("、") + spokenCount_;
    if (table_->accessibleDescription() != description) table_->setAccessibleDescription(description);
}

void TitleListWindow::ShowFailure(const Runtime::RuntimeError& error) { ::ShowFailure(this, error); }
