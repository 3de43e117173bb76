#include "Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace Pictures {

void load()
{
    static const bool once = (registerPictures(), true);
    Q_UNUSED(once);
}

QPixmap pixmap(const char* name, QSize size, qreal pixelRatio)
{
    load();
    QPixmap out(size * pixelRatio);
    out.setDevicePixelRatio(pixelRatio);
    out.fill(Qt::transparent);
    QSvgRenderer renderer(path(name));
    QPainter painter(&out);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return out;
}

QIcon icon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48})
        icon.addPixmap(pixmap("icone", QSize(side, side)));
    return icon;
}

} // namespace Pictures
