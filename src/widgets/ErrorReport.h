#pragma once

#include <functional>

class QWidget;

// Runs an operation of a window's handler; a data error ends it and is shown in an error box,
// as the program reports every engine failure. Returns whether the operation completed.
bool reportErrors(QWidget* parent, const std::function<void()>& operation);
