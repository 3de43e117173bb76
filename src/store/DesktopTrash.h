#pragma once

#include <QString>

// The desktop's own trash, where the user looks for what a program threw away.
namespace DesktopTrash {

// Moves the file into the trash: its path there (empty when the desktop names
// none), or an empty text with the file still where it was.
QString moveInto(const QString& path);

} // namespace DesktopTrash
