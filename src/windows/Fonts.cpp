#include "Fonts.h"

namespace Fonts {

void install()
{
    static const bool once = [] {
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

} // namespace Fonts
