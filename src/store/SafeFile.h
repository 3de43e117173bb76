#pragma once

#include <QString>

// The temporary files beside the data file that a swap (FileSwap) writes before
// it puts them in place, and what a crash leaves of them.
namespace SafeFile {

// A name for a temporary file beside path, of the kind removeLeftovers clears.
QString tempName(const QString& path);

// Removes what a crash left of this program's own temporary files beside path
// ("<name>." and six letters), and nothing else. Returns how many.
int removeLeftovers(const QString& path);

} // namespace SafeFile
