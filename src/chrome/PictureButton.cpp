#include "PictureButton.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

PictureButton* PictureButton::create(QWidget* parent, const char* name, const QRect& at,
                                     const QString& resource)
{
    auto* button = new PictureButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(at);
    button->setPicture(resource);
    return button;
}

void PictureButton::setPicture(const QString& resource)
{
    picture_ = resource;
    renderer_ = Picture(resource);
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    if (!renderer_.isValid())
        return;
    QPainter p(this);
    renderer_.render(&p, rect());
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (keys_.held())
        return;
    // A second button pressed while one is held must not sink the picture again.
    if (!gesture_.press(*event))
        return;
    restAt_ = pos();
    if (sinks_)
        move(restAt_ + QPoint(1, 1));
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!gesture_.held() || event->buttons() != Qt::NoButton)
        return;
    const QPoint global = event->globalPosition().toPoint();
    // Back in place first: the click is judged, and handled, at the rest position.
    move(restAt_);
    if (gesture_.release(*event, rect().contains(mapFromGlobal(global))))
        emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click sinks the picture like any press, but
    // its release is no click.
    mousePressEvent(event);
}

void PictureButton::hideEvent(QHideEvent* event)
{
    // Hidden while held, the picture gets no release: put it back now.
    if (gesture_.held() || keys_.held()) {
        gesture_.cancel();
        keys_.cancel();
        move(restAt_);
    }
    QWidget::hideEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    if (!KeyClickRule::isClickKey(*event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (gesture_.held() || !keys_.press(*event))
        return;
    restAt_ = pos();
    if (sinks_)
        move(restAt_ + QPoint(1, 1));
}

void PictureButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!KeyClickRule::isClickKey(*event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (!keys_.release(*event))
        return;
    move(restAt_);
    emit clicked();
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    if (keys_.held()) {
        keys_.cancel();
        move(restAt_);
    }
    QWidget::focusOutEvent(event);
}

void PictureButton::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&PictureButton::clicked))
        setFocusPolicy(Qt::TabFocus);
    QWidget::connectNotify(signal);
}
