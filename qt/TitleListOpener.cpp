#include "TitleListOpener.h"

#include <QAction>
#include <QEvent>

#include <memory>

#include "CatalogueText.h"
#include "PathChain.h"
#include "ReportFetcher.h"
#include "RuntimeError.h"
#include "TitleListWindow.h"

namespace {

class TitleListOpener : public QObject {
public:
    TitleListOpener(QWidget* form1, QWidget* file1, std::function<std::string()> folderShown,
                    std::function<void(const std::string&)> goToFile)
        : QObject(form1), form1_(form1), folderShown_(std::move(folderShown)), goToFile_(std::move(goToFile)) {
        auto* open = new QAction(QString::fromUtf8(TitleList::kOpenCommand), form1);
        open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
        open->setShortcutContext(Qt::WindowShortcut);
        connect(open, &QAction::triggered, this, &TitleListOpener::open);
        form1->addAction(open);
        file1->addAction(open);
        file1->setContextMenuPolicy(Qt::ActionsContextMenu);
        form1->installEventFilter(this);
    }

private:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == form1_ && event->type() == QEvent::Close && window_) window_->close();
        return QObject::eventFilter(watched, event);
    }

    void open() {
        if (!window_) {
            window_ = std::make_unique<TitleListWindow>([this](const Services::SelectedFile& file) {
                goToFile_(Runtime::ChildPath(file.NativeFolder, file.Entry.NativeName));
            });
        }
        window_->open(folderShown_());
    }

    QWidget* form1_;
    std::function<std::string()> folderShown_;
    std::function<void(const std::string&)> goToFile_;
    std::unique_ptr<TitleListWindow> window_;
};

}  // namespace

void AddTitleList(QWidget* form1, QWidget* file1, std::function<std::string()> folderShown,
                  std::function<void(const std::string& nativePath)> goToFile) {
    new TitleListOpener(form1, file1, std::move(folderShown), std::move(goToFile));
}
