#include "SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

namespace SafeFile {

bool write(const QString& path, const QByteArray& bytes)
{
    // A folder at the path would otherwise be replaced by a file.
    if (QFileInfo(path).isDir())
        return false;

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Qt 6.4 can report a short write or a failed final flush and still commit, and
    // it ignores a failed sync: check every step before letting the rename happen.
    // A cancelled QSaveFile removes its temporary file when it goes.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

} // namespace SafeFile
