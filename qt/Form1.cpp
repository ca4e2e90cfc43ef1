#include "Form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <chrono>

#include "DirectoryList.h"
#include "DriveList.h"
#include "FailureMessage.h"
#include "FileList.h"
#include "Form1Core.h"
#include "RuntimeError.h"
#include "TitleListOpener.h"
#include "WindowLayout.h"
#include "WindowPoster.h"
#include "WindowText.h"

Form1::Form1(QWidget* parent)
    : QWidget(parent), waiting_(new QTimer(this)), following_(new QTimer(this)) {
    setWindowTitle(QString::fromUtf8(Services::kWindowTitle));
    waiting_->setSingleShot(true);
    createControls();
    form_ = std::make_unique<Window::Form1>(
        PosterFor(this), Window::Form1::Controls{*drive1_, *dir1_, *file1_, static_cast<Window::ReportView&>(*this),
                                                 static_cast<Window::WindowHost&>(*this)});
    drive1_->setForm(*form_);
    dir1_->setForm(*form_);
    file1_->setChoice(form_->File1());
    placeControls();
    // Listed before the handlers are connected, and before the window is
    // on screen: the core waits longer for the start folder.
    form_->Start();
    connectHandlers();
    AddTitleList(this, file1_, [this] { return form_->Dir1().NativePath(); },
                 [this](const std::string& nativePath) { goToFile(nativePath); });
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

void Form1::connectHandlers() {
    // Key and mouse codes as the core's handlers take them: the key's code,
    // Shift 1, Ctrl 2 and Alt 4; the buttons left 1, right 2, middle 4.
    const auto shift = [](Qt::KeyboardModifiers modifiers) {
        return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
               (modifiers & Qt::AltModifier ? 4 : 0);
    };
    const auto buttons = [](Qt::MouseButtons held) {
        return (held & Qt::LeftButton ? 1 : 0) | (held & Qt::RightButton ? 2 : 0) | (held & Qt::MiddleButton ? 4 : 0);
    };
    connect(file1_, &FileList::selectedFileChanged, this, [this] { form_->File1_Click(); });
    connect(file1_, &FileList::keyPressed, this,
            [this, shift](int key, Qt::KeyboardModifiers modifiers) { form_->File1_KeyDown(key, shift(modifiers)); });
    connect(file1_, &FileList::mousePressed, this,
            [this, shift, buttons](Qt::MouseButtons held, Qt::KeyboardModifiers modifiers, QPoint at) {
                form_->File1_MouseDown(buttons(held), shift(modifiers), at.x(), at.y());
            });
    connect(file1_, &FileList::mouseMoved, this,
            [this, shift, buttons](Qt::MouseButtons held, Qt::KeyboardModifiers modifiers, QPoint at) {
                form_->File1_MouseMove(buttons(held), shift(modifiers), at.x(), at.y());
            });
    connect(waiting_, &QTimer::timeout, this, [this] { form_->TimerRan(Timer::Waiting); });
    connect(following_, &QTimer::timeout, this, [this] { form_->Tick(); });
    following_->start(Window::kFollowTick);
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // On screen now: no listing may keep the person waiting.
    form_->Shown();
}

void Form1::goToFile(const std::string& nativePath) {
    form_->GoToFile(nativePath);
    raise();
    activateWindow();
}

void Form1::ShowReport(const std::string& text) {
    // QPlainTextEdit takes CR LF as one line break.
    text1_->setPlainText(QString::fromStdString(text));
    // A long path wraps the first line and pushes the title out of sight:
    // a new report is shown from its end, the caret left at its start. The
    // empty line after a report's last line break needs no room.
    QScrollBar* scroll = text1_->verticalScrollBar();
    scroll->setValue(scroll->maximum() - (text.ends_with('\n') ? 1 : 0));
}

void Form1::ShowFailure(const Runtime::RuntimeError& error) { ::ShowFailure(this, error); }

void Form1::StartTimer(Timer, std::chrono::milliseconds delay) { waiting_->start(delay); }
