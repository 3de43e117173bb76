#pragma once

#include <QStringList>

// The lists the proof writer steps through. List k is a pure function of k, so a
// checker can tell which list a file holds and whether it may hold it at all.
// Their sizes cycle through a few bytes, 64 KB and 1 MB, so a kill or a fault
// lands in small writes, buffered ones and long ones.
namespace ProofLists {

QStringList rows(qint64 k);
// The first row, the only one that changes from list to list.
QString header(qint64 k);
// The k whose list these rows are, or -1 when they are no list at all.
qint64 which(const QStringList& rows);

} // namespace ProofLists
