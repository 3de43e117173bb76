#pragma once

#include <QString>

// Where lembretes.dat lives. An installed program keeps it in the user's data
// folder; a portable copy keeps it beside its executable, as it always has,
// unless that folder can hold none.
namespace DataPlace {

// The folder to hand the store. A portable copy (installed false) uses
// programFolder when it already holds the file or a file can really be created
// there. The user folder is created when it is chosen; if that fails the folder
// is still returned, so the store starts empty and refuses every write.
QString folder(const QString& programFolder, bool installed);

} // namespace DataPlace
