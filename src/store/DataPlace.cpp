#include "DataPlace.h"

#include "ReminderStore.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>
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

QString DataPlace::folder(const QString& programFolder, bool installed)
{
    if (!installed && (holdsDataFile(programFolder) || canCreateFileIn(programFolder)))
        return programFolder;
    const QString user = UserFolders::data();
    QDir().mkpath(user);
    return user;
}
