#include "LabelClick.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

LabelClick* LabelClick::install(QWidget* label)
{
    auto* click = new LabelClick(label);
    label->installEventFilter(click);
    return click;
}

LabelClick::LabelClick(QWidget* label) : QObject(label), label_(label)
{
    label->setFocusPolicy(Qt::TabFocus);
}

bool LabelClick::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != label_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        gesture_.press(*static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (gesture_.release(*mouse, label_->rect().contains(mouse->position().toPoint())))
            emit clicked();
        break;
    }
    case QEvent::KeyPress:
        if (!KeyClick::isClickKey(*static_cast<QKeyEvent*>(event)))
            break;
        keys_.press(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::KeyRelease:
        if (!KeyClick::isClickKey(*static_cast<QKeyEvent*>(event)))
            break;
        if (keys_.release(*static_cast<QKeyEvent*>(event)))
            emit clicked();
        return true;
    case QEvent::Hide:
        gesture_.cancel();
        keys_.cancel();
        break;
    case QEvent::FocusOut:
        keys_.cancel();
        break;
    default:
        break;
    }
    return false;
}
