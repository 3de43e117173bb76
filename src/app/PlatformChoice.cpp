#include "PlatformChoice.h"

#include <QtGlobal>

namespace PlatformChoice {

QByteArray forced(const Lookup& environment)
{
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool wayland = environment("XDG_SESSION_TYPE") == "wayland"
                         || !environment("WAYLAND_DISPLAY").isEmpty();
    const bool xwayland = !environment("DISPLAY").isEmpty();
    return wayland && xwayland ? QByteArray("xcb") : QByteArray();
}

void apply()
{
    const QByteArray platform = forced([](const char* name) { return qgetenv(name); });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace PlatformChoice
