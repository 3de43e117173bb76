#include "Beep.h"

#include <QApplication>

namespace {
int sounded = 0;
}

namespace Beep {

void sound()
{
    ++sounded;
    QApplication::beep();
}

int count()
{
    return sounded;
}

} // namespace Beep
