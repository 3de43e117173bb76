#include "ChangeNotice.h"

#include <sys/inotify.h>
#include <unistd.h>

// inotify can be out of instances, or missing from the kernel.
bool ChangeNotice::available()
{
    const int fd = ::inotify_init1(IN_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
