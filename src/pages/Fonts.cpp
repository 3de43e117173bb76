#include "Fonts.h"

#include <QFontDatabase>
#include <QHash>
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

QString installedFamily(const QString& family)
{
    // The substitutes, and on Windows the fonts shipped beside the program, are
    // in place before the answer is kept.
    install();
    static QHash<QString, QString> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const QStringList families = QFontDatabase::families();
    // Spelled as the system spells it: the substitutes are kept in lower case.
    const auto spelling = [&families](const QString& name) {
        for (const QString& installed : families) {
            if (installed.compare(name, Qt::CaseInsensitive) == 0)
                return installed;
        }
        return QString();
    };
    QString installed = spelling(family).isEmpty() ? QString() : family;
    const QStringList substitutes = QFont::substitutes(family);
    for (auto it = substitutes.begin(); installed.isEmpty() && it != substitutes.end(); ++it)
        installed = spelling(*it);
    if (installed.isEmpty())
        installed = family;
    known.insert(family, installed);
    return installed;
}

void useInstalledFamilies(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        QFont font = widget->font();
        if (!(font.resolveMask() & (QFont::FamilyResolved | QFont::FamiliesResolved)))
            continue;
        const QString installed = installedFamily(font.family());
        if (installed == font.family())
            continue;
        font.setFamilies({installed});
        widget->setFont(font);
    }
}

QFont windowFont(bool bold)
{
    QFont font(installedFamily(QStringLiteral("MS Sans Serif")));
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
