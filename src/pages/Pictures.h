#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's artwork, named by its SVG under :/pictures (pre-rendered on Windows).
namespace Pictures {

// Registers the pictures; the linker drops an unreferenced resource from a
// static library, so every window that shows one calls this first.
void load();

inline QString path(const char* name)
{
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name));
}

// The picture drawn at size, sharp at the given pixel ratio.
QPixmap pixmap(const char* name, QSize size, qreal pixelRatio = 1.0);

// The program's icon at 16, 24, 32 and 48 pixels.
QIcon icon();

} // namespace Pictures
