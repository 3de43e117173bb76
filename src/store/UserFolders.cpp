#include "UserFolders.h"

#include <QDir>
#include <QStandardPaths>

QString UserFolders::data()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A relative base would put the reminders wherever the program was started.
    if (QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QLatin1String(kFolderName));
}

QString UserFolders::state()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir(base).filePath(QLatin1String(kFolderName));
}
