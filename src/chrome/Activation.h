#pragma once

class QWidget;

// Asking for a window to become active. A screen reader announces a window as it
// becomes active, cutting off whatever it was saying, so what is to be heard after
// a command waits until the window the command asked for has arrived.
namespace Activation {

// How long a window asked for may take: a window manager may refuse it.
constexpr int kPatienceMs = 1000;

void request(QWidget* window);
// A window asked for is still on its way.
bool pending();

} // namespace Activation
