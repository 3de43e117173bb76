#pragma once

#include <QByteArray>
#include <QString>

// Replaces a whole file so that, whatever happens mid-way, the path holds either
// the old bytes or the new ones.
namespace SafeFile {

// False when nothing changed on disk. Once the new file is renamed into place it
// is what every reader sees, so a folder that then fails to sync still counts as
// written: the rename can be undone only by a power cut, never by another step.
//
// A crash between linking the temporary file and renaming it can leave a
// "<name>.XXXXXX" beside the file; removeLeftovers clears them at the next start.
bool write(const QString& path, const QByteArray& bytes);

// A name for a temporary file beside path, of the kind removeLeftovers clears.
QString tempName(const QString& path);

// Removes what a crash left of this program's own temporary files beside path
// ("<name>." and six letters), and nothing else. Returns how many.
int removeLeftovers(const QString& path);

} // namespace SafeFile
