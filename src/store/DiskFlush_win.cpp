#include "DiskFlush.h"

#include <io.h>

bool DiskFlush::flushFile(int handle)
{
    return ::_commit(handle) == 0;
}

// MoveFileEx, which replaces the file, writes its own change to the folder
// through NTFS's journal; a folder cannot be opened for flushing anyway.
void DiskFlush::syncFolder(const QString&) {}
