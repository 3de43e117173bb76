#pragma once

#include <functional>

class QObject;
class QWidget;

// Work that waits until a window is on screen, so that it never holds up the
// first picture the user sees.
namespace AfterFirstPaint {

// Runs work once after window's first paint, queued so that the painted window
// has reached the screen; soon, when the window is on screen already. Nothing
// runs once context is gone.
void run(QWidget* window, QObject* context, std::function<void()> work);

} // namespace AfterFirstPaint
