#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The layouts name Windows fonts; Liberation Sans stands in for both (metric
// twin of Arial, and the closest free face to MS Sans Serif).
namespace Fonts {

void install();

// Adds the fonts that come with the program to the ones the system has: the
// Windows copy carries its own Liberation fonts in a "fonts" folder beside it,
// where Linux has them from a package.
void addShippedFonts();

// MS Sans Serif 8.25 points is 11 pixels high at 96 dpi, but its bitmap glyphs
// are narrow: Liberation Sans at 11 pixels overruns the labels the layout sized
// for them ("Não Concluído", "Vencimento:"). One pixel less fits them all.
constexpr int kWindowPixels = 10;

// The family a layout names where the system has it, else the first of its
// substitutes that it has, else the name as it is. Asked for a family it lacks,
// Qt first has fontconfig rank every font as a fallback for it (some 2.5
// million instructions each) and only then tries the substitutes; naming the
// substitute directly gets the same face without that search.
QString installedFamily(const QString& family);

// Names every font under root that a layout gave a family by installedFamily.
void useInstalledFamilies(QWidget* root);

// The default font of every window: MS Sans Serif 8.25 points, by its installed
// family (see installedFamily) at kWindowPixels.
QFont windowFont(bool bold = false);

// The pixels a point size has at the layouts' 96 dpi. Fonts are sized in pixels,
// like the windows, so that text keeps its place where the logical DPI is not 96
// (Qt's scaling switched off on a 120 or 144 dpi desktop).
constexpr int pixelsAt96(double points)
{
    return int(points * 96 / 72 + 0.5);
}

// Turns every font under root that a layout sized in points into the pixels
// those points have at 96 dpi.
void pinPointSizes(QWidget* root);

} // namespace Fonts
