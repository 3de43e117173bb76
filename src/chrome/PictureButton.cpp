#include "PictureButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

PictureButton::PictureButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureButton::setPicture(const QString& resource)
{
    picture_ = resource;
    if (!renderer_)
        renderer_ = new QSvgRenderer(this);
    renderer_->load(resource);
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    if (!renderer_ || !renderer_->isValid())
        return;
    QPainter p(this);
    renderer_->render(&p, rect());
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (held_)
        return;
    held_ = true;
    restAt_ = pos();
    if (sinks_)
        move(restAt_ + QPoint(1, 1));
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!held_)
        return;
    held_ = false;
    const QPoint global = event->globalPosition().toPoint();
    move(restAt_);
    event->accept();
    if (rect().contains(mapFromGlobal(global)))
        emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a press too: the second click of a pair must still act.
    mousePressEvent(event);
    emit doubleClicked();
}
