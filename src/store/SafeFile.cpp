#include "SafeFile.h"

#include "DiskSync.h"

#include <QFileInfo>
#include <QSaveFile>

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
    if (file.write(bytes) != bytes.size() || !file.flush() || !DiskSync::flushFile(file.handle())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    DiskSync::syncFolder(QFileInfo(path).absolutePath());
    return true;
}

} // namespace SafeFile
