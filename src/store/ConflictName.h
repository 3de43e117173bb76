#pragma once

#include <QStringView>

// Names sync tools give the conflict copy of lembretes.dat when they keep both
// versions, told apart strictly so that no other file beside it is ever merged:
//   Syncthing            lembretes.sync-conflict-YYYYMMDD-HHMMSS-DEVICE7.dat
//   Nextcloud, ownCloud  lembretes (conflicted copy [USER ]YYYY-MM-DD HHMMSS).dat,
//                        tags nested when a copy conflicts again, and the older
//                        lembretes_conflict-YYYYMMDD-HHMMSS.dat
//   Dropbox              lembretes (NAME's conflicted copy YYYY-MM-DD[ N]).dat
namespace ConflictName {

// fileName is a name alone, without a folder.
bool isConflictCopy(QStringView fileName);

} // namespace ConflictName
