#include "WindowShape.h"

#include "Twips.h"

#include <QBitmap>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

constexpr double kTwipsPerDesignPixel = 15.0;

// Nearest with ties to even, as long as nobody changed the rounding mode.
int roundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

QPolygon MakeRegion(Outline outline, float scaleX, float scaleY, std::int16_t offsetX,
                    std::int16_t offsetY, double twipsPerPixelX, double twipsPerPixelY)
{
    const double tppX = roundEven(twipsPerPixelX);
    const double tppY = roundEven(twipsPerPixelY);
    QPolygon polygon;
    polygon.reserve(static_cast<int>(outline.size()));
    for (const OutlineVertex& v : outline)
        polygon << QPoint(roundEven(v.x * double(scaleX) * kTwipsPerDesignPixel / tppX + offsetX),
                          roundEven(v.y * double(scaleY) * kTwipsPerDesignPixel / tppY + offsetY));
    return polygon;
}

namespace WindowShape {

QRegion region(const QPolygon& polygon)
{
    // Painted rather than handed to QRegion's own scan conversion, which samples
    // pixel corners: filled like this the mask keeps exactly the pixels the page
    // picture covers at least half.
    const QRect box = polygon.boundingRect();
    QBitmap bitmap(box.size());
    bitmap.clear();
    QPainter painter(&bitmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.translate(-box.topLeft());
    painter.drawPolygon(polygon, Qt::OddEvenFill);
    painter.end();
    return QRegion(bitmap).translated(box.topLeft());
}

void apply(QWidget* window, Outline outline)
{
    window->setMask(
        region(MakeRegion(outline, 1.0f, 1.0f, 0, 0, Twips::kPerPixel, Twips::kPerPixel)));
}

} // namespace WindowShape
