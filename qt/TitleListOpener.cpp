#include "TitleListOpener.h"

#include <QAction>
#include <QEvent>

#include <memory>

#include "CatalogueText.h"
#include "DirectoryList.h"
#include "DriveList.h"
#include "FailureMessage.h"
#include "FileList.h"
#include "PathChain.h"
#include "PathSeparator.h"
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

// Selects the file in File1 once File1 shows its folder: at once, or when a slow folder's listing arrives.
class FileToSelect : public QObject {
public:
    explicit FileToSelect(FileList* file1) : QObject(file1), file1_(file1) {
        connect(file1, &FileList::pathChanged, this, [this] { selectIn(); });
    }
    void select(const std::string& folder, const std::string& name) {
        folder_ = folder;
        name_ = name;
        selectIn();
    }

private:
    void selectIn() {
        if (folder_.empty() || file1_->nativePath() != folder_) return;
        folder_.clear();
        for (int row = 0; row < file1_->count(); ++row) {
            if (file1_->entry(row).NativeName != name_) continue;
            file1_->setSelectedIndex(row);
            file1_->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    FileList* file1_;
    std::string folder_;  // empty when there is nothing to select
    std::string name_;
};

}  // namespace

void AddTitleList(QWidget* form1, QWidget* file1, std::function<std::string()> folderShown,
                  std::function<void(const std::string& nativePath)> goToFile) {
    new TitleListOpener(form1, file1, std::move(folderShown), std::move(goToFile));
}

std::function<void(const std::string& nativePath)> GoToFileThrough(QWidget* form1, DriveList* drive1,
                                                                    DirectoryList* dir1, FileList* file1) {
    auto* toSelect = new FileToSelect(file1);
    return [=](const std::string& nativePath) {
        const std::string folder = Runtime::ParentFolder(nativePath).value_or(nativePath);
        {
            const QSignalBlocker quiet(drive1);
            drive1->setNativeDrive(folder);
        }
        dir1->setDriveRoot(drive1->nativeDrive());
        try {
            dir1->setNativePath(folder);
        } catch (const Runtime::RuntimeError& error) {
            drive1->returnTo(dir1->nativePath());
            dir1->setDriveRoot(drive1->nativeDrive());
            ShowFailure(form1, error);
            return;
        }
        const std::size_t nameAt = folder.size() + (folder.ends_with(Runtime::kPathSeparator) ? 0 : 1);
        toSelect->select(folder, nativePath.substr(nameAt));
        form1->setWindowState(form1->windowState() & ~Qt::WindowMinimized);
        form1->raise();
        form1->activateWindow();
    };
}
