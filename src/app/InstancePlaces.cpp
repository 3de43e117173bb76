#include "InstancePlaces.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

QByteArray InstancePlaces::user()
{
    return QByteArray::number(::getuid());
}

InstancePlaces::Places InstancePlaces::of(const QString&, const QString& name)
{
    // The user's runtime folder is theirs alone (Qt makes one under /tmp when the
    // session names none); failing that, Qt's temporary folder and the user id.
    // Nothing goes beside the data file: that folder may be synced.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString tempName = name + u'-' + QString::fromLatin1(user());
    const QString temp = QDir(QDir::tempPath()).filePath(tempName + QStringLiteral(".lock"));
    if (runtime.isEmpty())
        return {temp, temp, tempName};
    return {QDir(runtime).filePath(name + QStringLiteral(".lock")), temp,
            QDir(runtime).filePath(name)};
}
