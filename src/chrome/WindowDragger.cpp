#include "WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>

WindowDragger* WindowDragger::install(QWidget* window)
{
    auto* dragger = new WindowDragger(window);
    window->installEventFilter(dragger);
    return dragger;
}

WindowDragger::WindowDragger(QWidget* window) : QObject(window), window_(window) {}

bool WindowDragger::onBody(const QPoint& at) const
{
    if (!window_->rect().contains(at))
        return false;
    // childAt() looks through pictures made transparent for the mouse; a widget
    // that covers the whole window is its background, never a control.
    const QWidget* hit = window_->childAt(at);
    return !hit || hit->geometry().contains(window_->rect());
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (dragging_ || !onBody(mouse->position().toPoint()))
            return false;
        emit bodyDoubleClicked();
        return true;
    }
    case QEvent::MouseMove:
        if (!dragging_)
            return false;
        follow(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging_)
            return false;
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            finish();
        return true;
    case QEvent::Hide:
        // The release may never reach a window that went away under the mouse.
        if (dragging_)
            finish();
        return false;
    default:
        return false;
    }
}

bool WindowDragger::press(QMouseEvent* event)
{
    if (dragging_)
        return true;
    if (!onBody(event->position().toPoint()))
        return false;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - window_->pos();
    return true;
}

void WindowDragger::follow(QMouseEvent* event)
{
    window_->move(event->globalPosition().toPoint() - grabOffset_);
}

void WindowDragger::finish()
{
    dragging_ = false;
    emit dragFinished();
}
