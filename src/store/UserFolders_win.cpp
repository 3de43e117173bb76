#include "UserFolders.h"

#include <QDir>

namespace {

QString knownFolder(const char* variable, const QString& fallback)
{
    QString base = QDir::fromNativeSeparators(qEnvironmentVariable(variable));
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + fallback;
    return QDir(base).filePath(QLatin1String(UserFolders::kFolderName));
}

} // namespace

// The roaming application data, which follows the user from machine to machine.
QString UserFolders::data()
{
    return knownFolder("APPDATA", QStringLiteral("/AppData/Roaming"));
}

// The local application data stays on this machine.
QString UserFolders::state()
{
    return knownFolder("LOCALAPPDATA", QStringLiteral("/AppData/Local"));
}
