#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events given at screen positions and sent straight to a widget, as the
// platform would deliver them; unhandled ones travel on to the parents.
namespace MouseEvents {

inline void send(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
                 Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void press(QWidget* target, QPoint global, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons alsoHeld = {})
{
    send(target, QEvent::MouseButtonPress, global, button, alsoHeld | button);
}

inline void doubleClick(QWidget* target, QPoint global, Qt::MouseButton button = Qt::LeftButton)
{
    send(target, QEvent::MouseButtonDblClick, global, button, button);
}

inline void moveTo(QWidget* target, QPoint global, Qt::MouseButtons held)
{
    send(target, QEvent::MouseMove, global, Qt::NoButton, held);
}

inline void release(QWidget* target, QPoint global, Qt::MouseButton button = Qt::LeftButton,
                    Qt::MouseButtons stillHeld = {})
{
    send(target, QEvent::MouseButtonRelease, global, button, stillHeld);
}

// Press on a window point, follow the mouse by offset, release.
inline void drag(QWidget* window, QPoint local, QPoint offset,
                 Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint start = window->mapToGlobal(local);
    press(window, start, button);
    moveTo(window, start + offset / 2, button);
    moveTo(window, start + offset, button);
    release(window, start + offset, button);
}

// The widget a press on a window point reaches: what lies there for the mouse.
inline QWidget* under(QWidget* window, QPoint local)
{
    QWidget* child = window->childAt(local);
    return child ? child : window;
}

inline void click(QWidget* target, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint at = target->mapToGlobal(target->rect().center());
    press(target, at, button);
    release(target, at, button);
}

} // namespace MouseEvents
