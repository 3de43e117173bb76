#include "Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

void Fonts::addShippedFonts()
{
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
}
