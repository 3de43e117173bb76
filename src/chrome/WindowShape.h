#pragma once

#include "Outlines.h"

#include <QPolygon>
#include <QRegion>

#include <cstdint>

class QWidget;

// The outline in the pixels of a screen with the given twips per pixel, each
// coordinate rounded to nearest with ties to even.
QPolygon MakeRegion(Outline outline, float scaleX, float scaleY, std::int16_t offsetX,
                    std::int16_t offsetY, double twipsPerPixelX, double twipsPerPixelY);

namespace WindowShape {

// Pixels inside the polygon by odd-even fill.
QRegion region(const QPolygon& polygon);

// Clips the window to its outline, so nothing outside it is drawn or hit.
// Qt lays out in logical pixels, so the twips per pixel come from the logical DPI
// (15 under Qt's scaling), never from the physical one.
void apply(QWidget* window, Outline outline);

} // namespace WindowShape
