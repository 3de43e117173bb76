#pragma once

#include <QFont>

// The layouts name Windows fonts; Liberation Sans stands in for both (metric
// twin of Arial, and the closest free face to MS Sans Serif).
namespace Fonts {

void install();

// MS Sans Serif 8.25 points is 11 pixels high at 96 dpi, but its bitmap glyphs
// are narrow: Liberation Sans at 11 pixels overruns the labels the layout sized
// for them ("Não Concluído", "Vencimento:"). One pixel less fits them all.
constexpr int kWindowPixels = 10;

// The default font of every window: MS Sans Serif 8.25 points, through its
// substitute at kWindowPixels.
QFont windowFont(bool bold = false);

} // namespace Fonts
