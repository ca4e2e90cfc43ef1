#include "TitleListOpener.h"

#include <QAction>
#include <QEvent>

#include <memory>

#include "CatalogueText.h"
#include "DirectoryList.h"
#include "DriveList.h"
#include "FailureMessage.h"
#include "FileList.h"
#include "ReportFetcher.h"
#include "RuntimeError.h"
#include "TitleListWindow.h"

namespace {

class TitleListOpener : public QObject {
public:
    TitleListOpener(QWidget* form1, DriveList* drive1, DirectoryList* dir1, FileList* file1)
        : QObject(form1), form1_(form1), drive1_(drive1), dir1_(dir1), file1_(file1) {
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
            window_ = std::make_unique<TitleListWindow>([this](const Services::SelectedFile& file) { goTo(file); });
        }
        window_->open(file1_->nativePath());
    }

    // Drive1 to the file's drive, Dir1 to its folder, File1 with it selected,
    // so Text1 shows its report; Form1 to the front.
    void goTo(const Services::SelectedFile& file) {
        disconnect(listed_);
        {
            const QSignalBlocker quiet(drive1_);
            drive1_->setNativeDrive(file.NativeFolder);
        }
        dir1_->setDriveRoot(drive1_->nativeDrive());
        try {
            dir1_->setNativePath(file.NativeFolder);
        } catch (const Runtime::RuntimeError& error) {
            drive1_->returnTo(dir1_->nativePath());
            dir1_->setDriveRoot(drive1_->nativeDrive());
            ShowFailure(form1_, error);
            return;
        }
        // A slow folder's files arrive later.
        if (file1_->nativePath() == file.NativeFolder) select(file.Entry.NativeName);
        else listed_ = connect(file1_, &FileList::pathChanged, this, [this, name = file.Entry.NativeName] {
            disconnect(listed_);
            select(name);
        });
        form1_->setWindowState(form1_->windowState() & ~Qt::WindowMinimized);
        form1_->raise();
        form1_->activateWindow();
    }

    void select(const std::string& nativeName) {
        for (int row = 0; row < file1_->count(); ++row) {
            if (file1_->entry(row).NativeName != nativeName) continue;
            file1_->setSelectedIndex(row);
            file1_->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    QWidget* form1_;
    DriveList* drive1_;
    DirectoryList* dir1_;
    FileList* file1_;
    QMetaObject::Connection listed_;
    std::unique_ptr<TitleListWindow> window_;
};

}  // namespace

void AddTitleList(QWidget* form1, DriveList* drive1, DirectoryList* dir1, FileList* file1) {
    new TitleListOpener(form1, drive1, dir1, file1);
}
