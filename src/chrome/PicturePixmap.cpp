#include "Picture.h"

#include <QPainter>

// Whatever draws the picture on each platform, a pixmap is that drawing.
QPixmap Picture::pixmap(QSize size, qreal pixelRatio) const
{
    QPixmap out(size * pixelRatio);
    out.setDevicePixelRatio(pixelRatio);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return out;
}
