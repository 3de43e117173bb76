#include "LabelClick.h"

#include "KeyHandle.h"

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
    auto* handle = new KeyHandle(label->objectName() + QStringLiteral("_teclado"), label);
    handle->cover(label);
    label->setFocusProxy(handle);
    connect(handle, &KeyHandle::clicked, this, &LabelClick::clicked);
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
    case QEvent::Hide:
        gesture_.cancel();
        break;
    default:
        break;
    }
    return false;
}
