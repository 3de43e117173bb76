#pragma once

#include <QString>

// Getting written bytes onto the disk, which each system does its own way.
namespace DiskFlush {

// Pushes everything written through the file descriptor to the disk; false when
// the system reports that it could not.
bool flushFile(int handle);

// Makes a rename inside folder survive a power cut. Best effort: the rename has
// already happened, so a failure changes nothing for the caller.
void syncFolder(const QString& folder);

} // namespace DiskFlush
