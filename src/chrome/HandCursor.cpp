#include "HandCursor.h"

#include "Picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {
constexpr int kSize = 32;
// The tip of the index finger.
constexpr QPoint kHotSpot{9, 2};
} // namespace

QCursor handCursor()
{
    const Picture renderer(QStringLiteral(":/pictures/cursor_mao.svg"));
    if (!renderer.isValid())
        return QCursor(Qt::PointingHandCursor);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap picture(QSize(kSize, kSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(0, 0, kSize, kSize));
    painter.end();
    return QCursor(picture, kHotSpot.x(), kHotSpot.y());
}

void applyHandCursor(QWidget* root)
{
    const QCursor hand = handCursor();
    for (QWidget* widget : root->findChildren<QWidget*>())
        if (widget->testAttribute(Qt::WA_SetCursor) &&
            widget->cursor().shape() == Qt::PointingHandCursor)
            widget->setCursor(hand);
}
