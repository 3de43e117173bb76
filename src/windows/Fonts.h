#pragma once

#include <QFont>

// The layouts name Windows fonts; Liberation Sans stands in for both (metric
// twin of Arial, and the closest free face to MS Sans Serif).
namespace Fonts {

void install();

// The default font of every window: MS Sans Serif 8.25 points.
QFont windowFont();

} // namespace Fonts
