#pragma once

#include <QByteArray>
#include <functional>

// Wayland lets no program place its own top-level windows, and this program's
// layout rests on placing them (bottom-right start, docking beside the main
// window). In a Wayland session that also offers X11, run on X11 unless the user
// chose a platform.
namespace PlatformChoice {

using Lookup = std::function<QByteArray(const char* name)>;

// The platform to force, or an empty text to leave Qt's choice alone.
QByteArray forced(const Lookup& environment);
// Sets QT_QPA_PLATFORM from the process environment; call before the
// application object exists.
void apply();

} // namespace PlatformChoice
