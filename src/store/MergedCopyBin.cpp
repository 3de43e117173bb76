#include "MergedCopyBin.h"

#include "DesktopTrash.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace MergedCopyBin {

namespace {

// A free name in folder for fileName: the name itself, or it with a number.
QString freePath(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    QString candidate = dir.filePath(fileName);
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = dir.filePath(fileName + u'.' + QString::number(n));
    return candidate;
}

} // namespace

QString mergedFolder()
{
    return QDir(UserFolders::state()).filePath(QStringLiteral("merged"));
}

QString moveAway(const QString& path)
{
    const QString trashed = DesktopTrash::moveInto(path);
    if (!trashed.isEmpty() || !QFileInfo::exists(path))
        return trashed;
    const QString folder = mergedFolder();
    if (!QDir().mkpath(folder))
        return {};
    const QString target = freePath(folder, QFileInfo(path).fileName());
    // Across file systems: a copy, and the original gone only once the copy is whole.
    if (QFile::rename(path, target) || (QFile::copy(path, target) && QFile::remove(path)))
        return target;
    QFile::remove(target);
    return {};
}

} // namespace MergedCopyBin
