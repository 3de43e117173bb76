#include "InstancePlaces.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

QByteArray InstancePlaces::user()
{
    return QByteArray::number(::getuid());
}

InstancePlaces::Places InstancePlaces::of(const QString& dataPath, const QString& name)
{
    // The user's runtime folder is theirs alone (Qt makes one under /tmp when the
    // session names none); failing that, Qt's temporary folder and the user id.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString fallbackFolder = runtime.isEmpty() ? QDir::tempPath() : runtime;
    const QString baseName = runtime.isEmpty() ? name + u'-' + QString::fromLatin1(user()) : name;
    return {dataPath + QStringLiteral(".lock"),
            QDir(fallbackFolder).filePath(baseName + QStringLiteral(".lock")),
            runtime.isEmpty() ? baseName : QDir(runtime).filePath(name)};
}
