#include "Fonts.h"

#include <QWidget>

namespace Fonts {

void install()
{
    static const bool once = [] {
        addShippedFonts();
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Liberation Sans"));
        return true;
    }();
    Q_UNUSED(once);
}

QFont windowFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(kWindowPixels);
    font.setBold(bold);
    return font;
}

void pinPointSizes(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        QFont font = widget->font();
        if (!(font.resolveMask() & QFont::SizeResolved) || font.pointSizeF() <= 0)
            continue;
        font.setPixelSize(pixelsAt96(font.pointSizeF()));
        widget->setFont(font);
    }
}

} // namespace Fonts
