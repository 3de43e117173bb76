#include "TrashBin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace TrashBin {

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

// Qt 6.4 without a trash folder makes files/ and info/ in the working folder and
// calls that a success; once the file is out again, leave no trace there.
void undoStrayTrash(const QString& moved)
{
    const QFileInfo file(moved);
    QDir top = file.dir();
    top.cdUp();
    QFile::remove(top.filePath(QStringLiteral("info/") + file.fileName() +
                               QStringLiteral(".trashinfo")));
    top.rmdir(QStringLiteral("files"));
    top.rmdir(QStringLiteral("info"));
}

} // namespace

QString mergedFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("quivera-recordim/merged"));
}

bool inTrash(const QString& path)
{
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    const QStringList parts = QDir::cleanPath(QDir::fromNativeSeparators(path)).split(u'/');
    const qsizetype n = parts.size();
    if (n < 4 || parts.at(n - 2) != u"files")
        return false;
    const QString& trash = parts.at(n - 3);
    // ~/.local/share/Trash, $topdir/.Trash-$uid, or $topdir/.Trash/$uid.
    return trash == u"Trash" || trash.startsWith(QLatin1String(".Trash-")) ||
           parts.at(n - 4) == u".Trash";
}

QString moveAway(const QString& path)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        QDir().mkpath(QDir(data).filePath(QStringLiteral("Trash")));
    QString moved;
    QString stray;
    if (QFile::moveToTrash(path, &moved)) {
        if (inTrash(moved))
            return moved;
        stray = moved;
    } else {
        moved = path;
    }
    const QString folder = mergedFolder();
    QString target;
    if (QDir().mkpath(folder)) {
        target = freePath(folder, QFileInfo(path).fileName());
        // Across file systems: a copy, and the original gone only once the copy is whole.
        if (!QFile::rename(moved, target) && !(QFile::copy(moved, target) && QFile::remove(moved))) {
            QFile::remove(target);
            target.clear();
        }
    }
    if (!stray.isEmpty()) {
        if (target.isEmpty())
            QFile::rename(stray, path);
        undoStrayTrash(stray);
    }
    return target;
}

} // namespace TrashBin
