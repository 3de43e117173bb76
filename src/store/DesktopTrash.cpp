#include "DesktopTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Qt 6.4 without a trash folder makes files/ and info/ in the working folder and
// calls that a success; once the file is out again, leave no trace there.
void undoStrayTrash(const QString& moved)
{
    const QFileInfo file(moved);
    QDir top = file.dir();
    top.cdUp();
    QFile::remove(
        top.filePath(QStringLiteral("info/") + file.fileName() + QStringLiteral(".trashinfo")));
    top.rmdir(QStringLiteral("files"));
    top.rmdir(QStringLiteral("info"));
}

} // namespace

QString DesktopTrash::moveInto(const QString& path)
{
    // The home trash may not exist yet on a fresh account; Qt would not make it.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        QDir().mkpath(QDir(data).filePath(QStringLiteral("Trash")));
    QString moved;
    if (!QFile::moveToTrash(path, &moved))
        return {};
    if (inTrash(moved))
        return moved;
    if (!QFile::rename(moved, path))
        return {};
    undoStrayTrash(moved);
    return {};
}

bool DesktopTrash::inTrash(const QString& path)
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
