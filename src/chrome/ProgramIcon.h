#pragma once

#include <QIcon>

// The program's icon for the taskbar, the window list and the tray: the artwork
// when it is built in, otherwise a small drawn notepad page so the tray never
// shows an empty square.
namespace ProgramIcon {
inline constexpr const char* kResource = ":/pictures/icone.svg";
QIcon icon();
} // namespace ProgramIcon
