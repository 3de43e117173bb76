#include "ProgramIcon.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap drawnPage(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), unit * 0.6));
    p.setBrush(QColor(0xFF, 0xFB, 0xE6));
    p.drawRect(QRectF(2.5 * unit, 2.5 * unit, 11 * unit, 13 * unit));
    p.setPen(QPen(QColor(0x5A, 0x8F, 0xD0), unit * 0.6));
    for (int line = 0; line < 4; ++line) {
        const qreal y = (6 + 2.5 * line) * unit;
        p.drawLine(QPointF(4 * unit, y), QPointF(12 * unit, y));
    }
    // The spiral along the top edge.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), unit * 0.8));
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 4; ++ring)
        p.drawEllipse(QRectF((3.5 + 2.5 * ring) * unit, 1 * unit, 1.6 * unit, 3 * unit));
    return pixmap;
}

} // namespace

namespace ProgramIcon {

QIcon icon()
{
    if (QFile::exists(QLatin1String(kResource)))
        return QIcon(QLatin1String(kResource));
    QIcon drawn;
    for (int size : {16, 22, 24, 32, 48, 64})
        drawn.addPixmap(drawnPage(size));
    return drawn;
}

} // namespace ProgramIcon
