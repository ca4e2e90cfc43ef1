#include "Form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <chrono>

#include "BackgroundWork.h"
#include "DirectoryList.h"
#include "FolderContents.h"
#include "DriveList.h"
#include "FailureMessage.h"
#include "FileList.h"
#include "ReportFetcher.h"
#include "RuntimeError.h"
#include "SelectedReport.h"
#include "TitleListOpener.h"
#include "WindowLayout.h"
#include "Patience.h"
#include "WindowPoster.h"
#include "WindowText.h"

using Services::kReportPatience;
using Services::kWaitingNoted;

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      work_(std::make_unique<Services::BackgroundWork>(PosterFor(this))),
      reports_(std::make_unique<Services::ReportFetcher>(*work_, [this](std::string report) {
          // The file may have left the list since it was asked for.
          if (file1_->selectedIndex() >= 0) showReport(std::move(report));
      })),
      waiting_(new QTimer(this)) {
    setWindowTitle(QString::fromUtf8(Services::kWindowTitle));
    waiting_->setSingleShot(true);
    connect(waiting_, &QTimer::timeout, this, &Form1::showWaiting);
    createControls();
    placeControls();
    showStartFolder();
    connectHandlers();
    AddTitleList(this, file1_, [this] { return file1_->nativePath(); }, GoToFileThrough(this, drive1_, dir1_, file1_));
}

Form1::~Form1() = default;

void Form1::createControls() {
    // What a screen reader announces for the window and each control.
    setAccessibleDescription(QStringLiteral("ドライブとフォルダーを選び、MIDIファイルを選ぶと、"
                                            "その形式、トラック数、分解能、タイトルを情報欄に表示します。"));
    dir1_ = new DirectoryList(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setAccessibleName(QString::fromUtf8(Services::kFolderName));
    drive1_ = new DriveList(this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setAccessibleName(QString::fromUtf8(Services::kDriveName));
    // On Linux a screen reader names a drop-down list after the label that
    // points at it, not its accessible name. The label is not drawn: the
    // fixed layout has no place for it.
    auto* driveLabel = new QLabel(QString::fromUtf8(Services::kDriveName), this);
    driveLabel->setBuddy(drive1_);
    driveLabel->hide();
    file1_ = new FileList(this);
    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setAccessibleName(QString::fromUtf8(Services::kFileName));
    dir1_->setFilePattern(file1_->pattern());
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAccessibleName(QString::fromUtf8(Services::kReportName));
    text1_->setReadOnly(true);
    // Read-only, but a caret the keys move: the report can be read line by
    // line and copied without a mouse.
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    setTabOrder(drive1_, dir1_);
    setTabOrder(dir1_, file1_);
    setTabOrder(file1_, text1_);
}

void Form1::placeControls() {
    const WindowLayout layout(screen()->logicalDotsPerInch());
    setFont(WindowLayout::windowFont());
    setFixedSize(layout.clientSize());
    dir1_->setGeometry(layout.dir1());
    drive1_->setGeometry(layout.drive1());
    file1_->setGeometry(layout.file1());
    text1_->setGeometry(layout.text1());
    for (QWidget* list : {static_cast<QWidget*>(dir1_), static_cast<QWidget*>(drive1_), static_cast<QWidget*>(file1_)})
        list->setFont(WindowLayout::listFont());
    text1_->setFont(WindowLayout::windowFont());
}

void Form1::showStartFolder() {
    // Listed before the handlers are connected: the file list is filled
    // here, or by Dir1_Change when a slow folder's listing arrives.
    try {
        const std::string start = Runtime::CurrentFolder();
        drive1_->setNativeDrive(start);
        dir1_->setDriveRoot(drive1_->nativeDrive());
        dir1_->setNativePath(start);
    } catch (const Runtime::RuntimeError& error) {
        // The folder the tool was started in is gone or unreadable: say so and start at the root.
        ShowFailure(this, error);
        try {
            const std::string root = Runtime::RootFolder();
            drive1_->setNativeDrive(root);
            dir1_->setDriveRoot(drive1_->nativeDrive());
            dir1_->setNativePath(root);
        } catch (const Runtime::RuntimeError&) {
            // Even the root cannot be read; the lists stay empty and the person may pick a drive.
            return;
        }
    }
    if (dir1_->isReading()) file1_->showReading(true);
    else Dir1_Change();
}

void Form1::connectHandlers() {
    connect(drive1_, &DriveList::driveChanged, this, &Form1::Drive1_Change);
    connect(dir1_, &DirectoryList::pathChanged, this, &Form1::Dir1_Change);
    connect(file1_, &FileList::selectedFileChanged, this, &Form1::File1_Click);
    connect(file1_, &FileList::keyPressed, this, &Form1::File1_KeyDown);
    connect(file1_, &FileList::mousePressed, this, &Form1::File1_MouseDown);
    connect(file1_, &FileList::mouseMoved, this, &Form1::File1_MouseMove);
    // Another folder's files: a report still on its way belongs to none of them.
    connect(file1_, &FileList::pathChanged, this, [this] { reports_->Deselect(); });
    connect(dir1_, &DirectoryList::readingChanged, this, &Form1::followDirectoryReading);
}

void Form1::followDirectoryReading(bool isReading) {
    file1_->showReading(isReading);
    if (isReading) return;
    // A drive whose folder could not be read in the end: back to the drive
    // that holds the folder shown.
    drive1_->returnTo(dir1_->nativePath());
    dir1_->setDriveRoot(drive1_->nativeDrive());
}

void Form1::Drive1_Change() {
    try {
        dir1_->setDriveRoot(drive1_->nativeDrive());
        dir1_->setNativePath(drive1_->nativeDrive());
    } catch (const Runtime::RuntimeError& error) {
        // Back to the drive that holds the folder still shown.
        drive1_->returnTo(dir1_->nativePath());
        dir1_->setDriveRoot(drive1_->nativeDrive());
        ShowFailure(this, error);
    }
}

void Form1::Dir1_Change() {
    // The directory list read the files in its own pass over the folder.
    if (dir1_->filePattern() == file1_->pattern()) {
        file1_->showListing(dir1_->nativePath(), dir1_->takeFiles());
        return;
    }
    try {
        file1_->setNativePath(dir1_->nativePath());
    } catch (const Runtime::RuntimeError& error) {
        // The folder went between the two listings: put the directory list
        // back beside the files still shown.
        try {
            const QSignalBlocker quiet(dir1_);
            dir1_->setNativePath(file1_->nativePath());
        } catch (const Runtime::RuntimeError&) {
            // That one is gone too; the message below is the one that matters.
        }
        ShowFailure(this, error);
    }
}

void Form1::File1_Click() { GetMidFileFormat(); }

void Form1::File1_KeyDown(int, Qt::KeyboardModifiers) { File1_Click(); }

void Form1::File1_MouseDown(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) { GetMidFileFormat(); }

void Form1::File1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) { GetMidFileFormat(); }

void Form1::GetMidFileFormat() {
    const int index = file1_->selectedIndex();
    if (index < 0) return;
    auto report = reports_->Request({file1_->nativePath(), file1_->readablePath(), file1_->entry(index)},
                                    kReportPatience);
    if (report) {
        showReport(std::move(*report));
    } else if (!waiting_->isActive()) {
        waiting_->start(kWaitingNoted);
    }
}

void Form1::showReport(std::string report) {
    auto changed = shownReport_.Replace(std::move(report));
    if (!changed) return;
    // QPlainTextEdit takes CR LF as one line break.
    text1_->setPlainText(QString::fromStdString(*changed));
    // A long path wraps the first line and pushes the title out of sight:
    // a new report is shown from its end, the caret left at its start. The
    // empty line after a report's last line break needs no room.
    QScrollBar* scroll = text1_->verticalScrollBar();
    scroll->setValue(scroll->maximum() - (changed->ends_with('\n') ? 1 : 0));
}

void Form1::showWaiting() {
    const auto awaited = reports_->TimeAwaited();
    if (!awaited) return;
    // Another file was selected since the timer started: its own wait counts.
    if (*awaited < kWaitingNoted) {
        waiting_->start(kWaitingNoted - *awaited);
        return;
    }
    if (auto text = reports_->WaitingText(shownReport_.Text())) showReport(std::move(*text));
}
