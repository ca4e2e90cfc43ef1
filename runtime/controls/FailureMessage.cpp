#include "FailureMessage.h"

#include <QMessageBox>

#include "RuntimeError.h"

void ShowFailure(QWidget* parent, const Runtime::RuntimeError& error) {
    QWidget* window = parent != nullptr ? parent->window() : nullptr;
    auto* box = new QMessageBox(window);  // owned by the window, deleted on close
    box->setObjectName(QStringLiteral("FailureMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Critical);
    box->setWindowTitle(window != nullptr ? window->windowTitle() : QString());
    box->setText(QStringLiteral("実行時エラー '%1':\n\n%2")
                     .arg(error.Number)
                     .arg(QString::fromStdString(error.Description)));
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
}
