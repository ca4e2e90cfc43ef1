#pragma once

class QWidget;

namespace Runtime {
struct RuntimeError;
}

// Shows a failure the program goes on after: a Japanese message box with the
// failure's number and description, over parent's window. It does not wait
// for the user (open(), not exec()), so no event loop runs inside a handler.
// The box is a child of that window named "FailureMessage" and deletes
// itself when closed.
void ShowFailure(QWidget* parent, const Runtime::RuntimeError& error);
