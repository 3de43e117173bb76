#include "LabelFocusProxy.h"

#include <QKeyEvent>

LabelFocusProxy::LabelFocusProxy(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
}

void LabelFocusProxy::cover(const QWidget* target)
{
    setGeometry(target == parentWidget() ? target->rect() : target->geometry());
}

void LabelFocusProxy::keyPressEvent(QKeyEvent* event)
{
    if (!KeyClickRule::isClickKey(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    keys_.press(*event);
}

void LabelFocusProxy::keyReleaseEvent(QKeyEvent* event)
{
    if (!KeyClickRule::isClickKey(*event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (keys_.release(*event))
        emit clicked();
}

void LabelFocusProxy::focusOutEvent(QFocusEvent* event)
{
    keys_.cancel();
    QWidget::focusOutEvent(event);
}

void LabelFocusProxy::hideEvent(QHideEvent* event)
{
    keys_.cancel();
    QWidget::hideEvent(event);
}
