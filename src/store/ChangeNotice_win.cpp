#include "ChangeNotice.h"

// Windows offers change notifications on every local file system.
bool ChangeNotice::available()
{
    return true;
}
