#include "MouseClickRule.h"

#include <QMouseEvent>

bool MouseClickRule::press(const QMouseEvent& event)
{
    if (held_)
        return false;
    held_ = true;
    clicks_ = event.button() == Qt::LeftButton && event.type() == QEvent::MouseButtonPress;
    return true;
}

bool MouseClickRule::release(const QMouseEvent& event, bool inside)
{
    if (!held_ || event.buttons() != Qt::NoButton)
        return false;
    held_ = false;
    return clicks_ && inside;
}
