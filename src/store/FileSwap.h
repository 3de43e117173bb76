#pragma once

#include <QByteArray>
#include <QString>

// Swapping a whole file for new bytes while watching what it takes out: each
// platform does it its own way (FileSwap.cpp, FileSwap_win.cpp).
namespace FileSwap {

// Enough of a file's metadata to tell, without reading it, that it is still the
// file last seen: any write or replacement changes one of these.
struct Identity {
    bool exists = false;
    bool regular = false;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;  // status change, nanoseconds
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const Identity&) const = default;
};
// Follows symbolic links, as writes do.
Identity identify(const QString& path);

// Puts bytes in place of the file at path, whole or not at all: written to a
// temporary file beside it (SafeFile::tempName) and flushed to disk, then
// swapped in. The file is expected to be the one `expected` describes (absent
// when !expected.exists), and the swap tells whether something else replaced or
// changed it in the last moment. The platform swaps the two files atomically
// (Linux: renameat2 RENAME_EXCHANGE; Windows: ReplaceFile with a backup), the
// file taken out is compared with the expected one, and its bytes are handed
// back when it differs. Where a file system cannot swap, a plain rename leaves
// that moment unwatched.
struct Replaced {
    enum Result {
        Failed,    // nothing changed on disk
        Done,      // the new bytes are in place, and what they replaced was expected
        Displaced, // in place, but they replaced `other`, which was not expected
        Appeared,  // a file appeared where none was expected: nothing written
    } result = Failed;
    QByteArray other;
    Identity written; // the new file's identity once in place
};
Replaced replace(const QString& path, const QByteArray& bytes, const Identity& expected);

} // namespace FileSwap
