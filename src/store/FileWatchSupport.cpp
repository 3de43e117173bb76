#include "FileWatchSupport.h"

#include <sys/inotify.h>
#include <unistd.h>

// inotify can be out of instances, or missing from the kernel.
bool FileWatchSupport::available()
{
    const int fd = ::inotify_init1(IN_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
