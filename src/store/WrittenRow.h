#pragma once

#include "DataFile.h"

#include <QByteArrayView>

#include <array>
#include <cstring>

// A row read in place, in the form a save writes it (DataFile::writtenForm):
// five fields joined by the separator, the posting stamp first.
namespace WrittenRow {

// Byte for byte; two views of the same bytes are equal unread, as most rows of
// a list and the list it was copied from are.
inline bool same(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && (a.data() == b.data() || a.isEmpty() ||
                                    std::memcmp(a.data(), b.data(), size_t(a.size())) == 0);
}

inline QByteArrayView stampOf(QByteArrayView line)
{
    const qsizetype at = line.indexOf(DataFile::kSeparator);
    return at < 0 ? line : line.first(at);
}

inline bool stampIs(QByteArrayView line, QByteArrayView stamp)
{
    return line.size() > stamp.size()
               ? line[stamp.size()] == DataFile::kSeparator && same(line.first(stamp.size()), stamp)
               : same(line, stamp);
}

// The day "yy.mm.dd" that starts a stamp of the program's own, as one word:
// most rows are of another day than the stamp looked for, and tell so by one
// compare before their stamp is found. 0 when shorter.
constexpr qsizetype kDaySize = DataFile::stampPartAt(3) - 1;
static_assert(kDaySize == sizeof(quint64));
inline quint64 dayWord(QByteArrayView stampOrLine)
{
    quint64 day = 0;
    if (stampOrLine.size() >= kDaySize)
        std::memcpy(&day, stampOrLine.data(), sizeof day);
    return day;
}
// False only when line cannot have the stamp whose dayWord is day.
inline bool mayHaveStamp(QByteArrayView line, quint64 day)
{
    return day == 0 || dayWord(line) == day;
}

// Title and description: the last two fields, side by side in the line.
QByteArrayView textsOf(QByteArrayView line);

// One reminder where nothing else tells: the same stamp and texts.
inline bool sameIdentity(QByteArrayView x, QByteArrayView y)
{
    return same(x, y) || (same(stampOf(x), stampOf(y)) && same(textsOf(x), textsOf(y)));
}

// Stamps in the order of their bytes: below 0, 0 or above 0.
int stampOrder(QByteArrayView x, QByteArrayView y);

using Fields = std::array<QByteArrayView, DataFile::kFields>;
Fields fieldsOf(QByteArrayView line);

} // namespace WrittenRow
