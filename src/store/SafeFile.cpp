#include "SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
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

Identity identify(const QString& path)
{
    Identity id;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return id;
    id.exists = true;
    id.regular = S_ISREG(st.st_mode);
    id.size = st.st_size;
    id.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    return id;
}

Replaced replace(const QString& path, const QByteArray& bytes, const Identity&)
{
    Replaced out;
    if (!write(path, bytes))
        return out;
    out.result = Replaced::Done;
    out.written = identify(path);
    return out;
}

int removeLeftovers(const QString&)
{
    return 0;
}

} // namespace SafeFile
