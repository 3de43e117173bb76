#pragma once

#include <QString>

// Where a merged conflict copy goes: the desktop's trash, from which the user can
// still take it back, or else a folder of the program's own state. Never the data
// folder, which the sync tool would only carry back to the other computer.
namespace MergedCopyBin {

// merged/ in the program's own state folder on this machine.
QString mergedFolder();

// Moves the file away; its new path, or an empty text when it stays where it is.
QString moveAway(const QString& path);

} // namespace MergedCopyBin
