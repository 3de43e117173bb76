#pragma once

#include <QString>

// The user's own folders for this program, where each system keeps them
// (UserFolders.cpp, UserFolders_win.cpp).
namespace UserFolders {

// The folders' own name, fixed so that renaming the application never moves
// anyone's reminders.
inline constexpr auto kFolderName = "quivera-recordim";

// The reminders: $XDG_DATA_HOME/quivera-recordim, by default
// ~/.local/share/quivera-recordim; %APPDATA%\quivera-recordim on Windows.
QString data();

// The program's own state on this machine, never synced or carried along:
// $XDG_STATE_HOME/quivera-recordim, by default ~/.local/state/quivera-recordim;
// %LOCALAPPDATA%\quivera-recordim on Windows.
QString state();

} // namespace UserFolders
