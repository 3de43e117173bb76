#include "Activation.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& coming()
{
    static QPointer<QWidget> window;
    return window;
}

QElapsedTimer& asked()
{
    static QElapsedTimer timer;
    return timer;
}

} // namespace

namespace Activation {

void request(QWidget* window)
{
    window->activateWindow();
    if (window->isActiveWindow())
        return;
    coming() = window;
    asked().start();
}

bool pending()
{
    QPointer<QWidget>& window = coming();
    if (window && window->isVisible() && !window->isActiveWindow() &&
        asked().elapsed() < kPatienceMs)
        return true;
    window = nullptr;
    return false;
}

} // namespace Activation
