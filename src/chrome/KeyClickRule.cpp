#include "KeyClickRule.h"

#include <QKeyEvent>

bool KeyClickRule::isClickKey(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event.key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool KeyClickRule::press(const QKeyEvent& event)
{
    if (held() || event.isAutoRepeat() || !isClickKey(event))
        return false;
    key_ = event.key();
    return true;
}

bool KeyClickRule::release(const QKeyEvent& event)
{
    // X11 sends a release with every repeat; only the real one ends the click.
    if (!held() || event.isAutoRepeat() || event.key() != key_)
        return false;
    key_ = 0;
    return true;
}
