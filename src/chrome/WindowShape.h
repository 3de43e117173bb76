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

// Clips the window to its outline, so nothing outside it is drawn or hit. The
// windows are sized at 15 twips to the pixel whatever the screen, so the mask is
// too: with Qt's scaling switched off the logical DPI may be 120 or 144, and a
// mask taken from it would no longer fit the page.
void apply(QWidget* window, Outline outline);

} // namespace WindowShape
