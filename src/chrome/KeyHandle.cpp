#include "KeyHandle.h"

#include <QKeyEvent>

KeyHandle::KeyHandle(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
}

void KeyHandle::cover(const QWidget* target)
{
    setGeometry(target == parentWidget() ? target->rect() : target->geometry());
}

void KeyHandle::keyPressEvent(QKeyEvent* event)
{
    if (!KeyClick::isClickKey(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    keys_.press(*event);
}

void KeyHandle::keyReleaseEvent(QKeyEvent* event)
{
    if (!KeyClick::isClickKey(*event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (keys_.release(*event))
        emit clicked();
}

void KeyHandle::focusOutEvent(QFocusEvent* event)
{
    keys_.cancel();
    QWidget::focusOutEvent(event);
}

void KeyHandle::hideEvent(QHideEvent* event)
{
    keys_.cancel();
    QWidget::hideEvent(event);
}
