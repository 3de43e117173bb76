#include "DiskFlush.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

bool DiskFlush::flushFile(int handle)
{
    return ::fsync(handle) == 0;
}

void DiskFlush::syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
