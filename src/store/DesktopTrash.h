#pragma once

#include <QString>

// The desktop's own trash, where the user looks for what a program threw away.
namespace DesktopTrash {

// Moves the file into the trash: its path there (empty when the desktop names
// none), or an empty text with the file still where it was.
QString moveInto(const QString& path);

#ifndef Q_OS_WIN
// Whether a path lies in a trash folder's files/ (home trash or a volume's),
// as the desktops of free systems lay them out.
bool inTrash(const QString& path);
#endif

} // namespace DesktopTrash
