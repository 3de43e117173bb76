#include "DataPlace.h"

#include "ReminderStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

bool holdsDataFile(const QString& folder)
{
    const QFileInfo file(QDir(folder).filePath(ReminderStore::kFileName));
    return file.exists() || file.isSymLink();
}

// Permission bits do not tell the whole story (read-only mounts, ACLs, root),
// so a file is really made and removed again.
bool canCreateFileIn(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quivera-probe-XXXXXX")));
    return probe.open();
}

} // namespace

QString DataPlace::userFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A relative base would put the reminders wherever the program was started.
    if (QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(QLatin1String(kFolderName));
}

QString DataPlace::folder(const QString& programFolder, bool installed)
{
    if (!installed && (holdsDataFile(programFolder) || canCreateFileIn(programFolder)))
        return programFolder;
    const QString user = userFolder();
    QDir().mkpath(user);
    return user;
}
