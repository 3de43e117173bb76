#include "ClickableLabel.h"

#include "LabelFocusProxy.h"

#include <QMouseEvent>
#include <QWidget>

ClickableLabel* ClickableLabel::install(QWidget* label)
{
    auto* click = new ClickableLabel(label);
    label->installEventFilter(click);
    return click;
}

ClickableLabel::ClickableLabel(QWidget* label) : QObject(label), label_(label)
{
    auto* handle = new LabelFocusProxy(label->objectName() + QStringLiteral("_teclado"), label);
    handle->cover(label);
    label->setFocusProxy(handle);
    connect(handle, &LabelFocusProxy::clicked, this, &ClickableLabel::clicked);
}

bool ClickableLabel::eventFilter(QObject* watched, QEvent* event)
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
