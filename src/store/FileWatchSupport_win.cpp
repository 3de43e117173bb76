#include "FileWatchSupport.h"

// Windows offers change notifications on every local file system.
bool FileWatchSupport::available()
{
    return true;
}
