#include "DataPlace.h"

#include <QDir>

// The roaming application data, which follows the user from machine to machine.
QString DataPlace::userFolder()
{
    QString base = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
    return QDir(base).filePath(QLatin1String(kFolderName));
}
