#include "FailureMessage.h"

#include <QMessageBox>

#include "FailureText.h"

void ShowFailure(QWidget* parent, const Runtime::RuntimeError& error) {
    QWidget* window = parent != nullptr ? parent->window() : nullptr;
    auto* box = new QMessageBox(window);  // owned by the window, deleted on close
    box->setObjectName(QStringLiteral("FailureMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Critical);
    box->setWindowTitle(window != nullptr ? window->windowTitle() : QString());
    box->setText(QString::fromStdString(FailureText(error)));
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
}
