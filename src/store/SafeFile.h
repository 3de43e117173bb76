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
// "<name>.XXXXXX" beside the file. Nothing reads it, and nothing removes it:
// it may be the file another running instance is about to rename.
bool write(const QString& path, const QByteArray& bytes);

} // namespace SafeFile
