#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void QtTranslation::install()
{
    static QTranslator* translator = nullptr;
    if (translator)
        return;
    translator = new QTranslator(QCoreApplication::instance());
    // The Windows copy carries the file beside it; Linux has it where Qt's are.
    const QLocale portuguese(QLocale::Portuguese, QLocale::Brazil);
    const QString shipped =
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    if (translator->load(portuguese, QStringLiteral("qtbase"), QStringLiteral("_"), shipped) ||
        translator->load(portuguese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
