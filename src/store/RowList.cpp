#include "RowList.h"

#include "DataFile.h"

#include <algorithm>
#include <cstring>

using DataFile::kLineBreak;
using DataFile::kQuote;

namespace {

// Files are compared a block at a time, then byte by byte.
constexpr qsizetype kBlock = 4096;

qsizetype sameBytesAtStart(const QByteArray& fa, const QByteArray& fb)
{
    const qsizetype limit = std::min(fa.size(), fb.size());
    qsizetype same = 0;
    while (same + kBlock <= limit &&
           std::memcmp(fa.constData() + same, fb.constData() + same, kBlock) == 0)
        same += kBlock;
    while (same < limit && fa[same] == fb[same])
        ++same;
    return same;
}

// Bytes a and b end with alike, at most limit of them.
qsizetype sameBytesAtEnd(const char* aEnd, const char* bEnd, qsizetype limit)
{
    qsizetype same = 0;
    while (same + kBlock <= limit &&
           std::memcmp(aEnd - same - kBlock, bEnd - same - kBlock, kBlock) == 0)
        same += kBlock;
    while (same < limit && aEnd[-1 - same] == bEnd[-1 - same])
        ++same;
    return same;
}

} // namespace

RowList RowList::fromFile(QByteArray file)
{
    RowList list;
    list.file_ = std::move(file);
    DataFile::forEachLine(list.file_, [&list](QByteArrayView line) { list.read(line); });
    list.asRead_ = true;
    return list;
}

void RowList::read(QByteArrayView line)
{
    // The quotes opening and closing the file sit on the first and last lines.
    while (!line.isEmpty() && line.front() == kQuote)
        line = line.sliced(1);
    while (!line.isEmpty() && line.back() == kQuote)
        line.chop(1);
    if (DataFile::isWrittenForm(line))
        places_.push_back(Place::inFile(line.data() - file_.constData(), line.size()));
    else
        places_.push_back(putInExtra(DataFile::writtenForm(line)));
}

RowList RowList::fromFile(QByteArray file, const RowList& like)
{
    if (!like.asRead_ || like.file_.isEmpty())
        return fromFile(std::move(file));
    RowList list;
    list.file_ = std::move(file);
    const QByteArray& now = list.file_;
    const QByteArray& was = like.file_;
    // A line ends at the first line break after it begins, and reads the same
    // wherever it lies: rows whose lines lie in bytes both files begin or end
    // with are like's rows, those at the end moved by the difference in size.
    const int first = like.rowsEndingWithin(sameBytesAtStart(now, was));
    const qsizetype readFrom =
        first == 0 ? 0 : like.places_[std::size_t(first - 1)].end() + kLineBreak.size();
    const qsizetype sameEnd =
        sameBytesAtEnd(now.constData() + now.size(), was.constData() + was.size(),
                       std::min(now.size(), was.size()) - readFrom);
    const int last = like.rowsStartingWithin(sameEnd, first);
    const qsizetype shift = now.size() - was.size();
    const qsizetype readTo =
        last == like.count() ? now.size() : like.places_[std::size_t(last)].at() + shift;

    list.places_.reserve(like.places_.size() + 1);
    list.places_.assign(like.places_.begin(), like.places_.begin() + first);
    DataFile::forEachLine(QByteArrayView(now).sliced(readFrom, readTo - readFrom),
                          [&list](QByteArrayView line) { list.read(line); });
    for (std::size_t k = std::size_t(last); k < like.places_.size(); ++k) {
        const Place& place = like.places_[k];
        list.places_.push_back(place.isInFile() ? place.movedBy(shift)
                                                : list.putInExtra(like.bytes(place)));
    }
    list.asRead_ = true;
    return list;
}

int RowList::rowsEndingWithin(qsizetype bytes) const
{
    int k = 0;
    for (; k < count(); ++k) {
        const Place& place = places_[std::size_t(k)];
        if (!place.isInFile() || place.end() + kLineBreak.size() > bytes ||
            !lineBreakAt(place.end()))
            break;
    }
    return k;
}

int RowList::rowsStartingWithin(qsizetype bytes, int from) const
{
    int first = count();
    for (int k = count(); k-- > from;) {
        const Place& place = places_[std::size_t(k)];
        // A row cleaned at load lies elsewhere: the rows around it tell.
        if (!place.isInFile())
            continue;
        const qsizetype lineBreak = place.at() - kLineBreak.size();
        if (lineBreak < file_.size() - bytes)
            break;
        if (lineBreakAt(lineBreak))
            first = k;
    }
    return first;
}

RowList::Place RowList::putInExtra(QByteArrayView rowBytes)
{
    const Place place = Place::inExtra(extra_.size(), rowBytes.size());
    extra_.append(rowBytes);
    return place;
}

QString RowList::at(int k) const
{
    if (k < 0 || k >= count())
        return {};
    return DataFile::row(line(k));
}

void RowList::set(int k, const QString& row)
{
    if (k < 0 || k >= count())
        return;
    // Rows changed in memory over and over would pile up their old bytes.
    if (extra_.size() > 65536 + file_.size()) {
        const RowList old = *this;
        extra_.clear();
        for (std::size_t r = 0; r < places_.size(); ++r)
            if (!places_[r].isInFile())
                places_[r] = putInExtra(old.line(int(r)));
    }
    places_[std::size_t(k)] = putInExtra(DataFile::writtenForm(row));
    asRead_ = false;
}

std::vector<int> RowList::rowsChangedFrom(const RowList& other) const
{
    std::vector<int> changed;
    // isCopyOf row by row, the file compared once.
    const bool sameFile = holdsFileOf(other);
    for (std::size_t k = 0; k < places_.size(); ++k)
        if (!sameFile || !places_[k].isSameFileRow(other.places_[k]))
            changed.push_back(int(k));
    return changed;
}

int RowList::sharedStart(const RowList& other) const
{
    const qsizetype same = sameBytesAtStart(file_, other.file_);
    const int rows = std::min(count(), other.count());
    int k = 0;
    for (; k < rows; ++k) {
        const Place &a = places_[std::size_t(k)], &b = other.places_[std::size_t(k)];
        // A row cleaned at load lies elsewhere; the line break must match too.
        if (!a.isSameFileRow(b) || a.end() + kLineBreak.size() > same)
            break;
    }
    return k;
}

int RowList::sharedEnd(const RowList& other, int skip, int from) const
{
    const int aLast = count() - 1, bLast = other.count() - 1 - skip;
    if (aLast < from || bLast < from)
        return 0;
    const Place& a0 = places_[std::size_t(aLast)];
    const Place& b0 = other.places_[std::size_t(bLast)];
    const Place& aFrom = places_[std::size_t(from)];
    const Place& bFrom = other.places_[std::size_t(from)];
    if (!a0.isInFile() || !b0.isInFile() || !aFrom.isInFile() || !bFrom.isInFile())
        return 0;
    // Compared up to the end of each side's last row: what follows it differs
    // between an append and a save.
    const qsizetype aEnd = a0.end(), bEnd = b0.end();
    const qsizetype same = sameBytesAtEnd(file_.constData() + aEnd, other.file_.constData() + bEnd,
                                          std::min(aEnd - aFrom.at(), bEnd - bFrom.at()));
    int k = 0;
    for (; aLast - k >= from && bLast - k >= from; ++k) {
        const Place &a = places_[std::size_t(aLast - k)],
                    &b = other.places_[std::size_t(bLast - k)];
        const qsizetype fromEnd = aEnd - a.at();
        if (!a.isInFile() || !b.isInFile() || fromEnd > same || fromEnd != bEnd - b.at() ||
            a.size() != b.size())
            break;
    }
    return k;
}

RowList::Builder::Builder(const QByteArray& home, std::size_t rows)
{
    list_.file_ = home;
    list_.places_.reserve(rows);
}

RowList RowList::rewritten(int k, Edit edit, QByteArrayView replacement) const
{
    const qsizetype opening = 1, closing = 1 + kLineBreak.size();
    qsizetype size = opening + replacement.size() + kLineBreak.size() + closing;
    for (const Place& place : places_)
        size += place.size() + kLineBreak.size();
    RowList out;
    if (size > kMaxFileSize) {
        out.tooLarge_ = true;
        return out;
    }
    out.file_ = QByteArray(size, Qt::Uninitialized);
    out.places_.reserve(places_.size() + 1);
    char* const first = out.file_.data();
    char* dst = first;
    auto copy = [&dst](QByteArrayView bytes) {
        if (!bytes.isEmpty())
            std::memcpy(dst, bytes.data(), size_t(bytes.size()));
        dst += bytes.size();
    };
    auto put = [&](QByteArrayView row, bool lineBreak) {
        out.places_.push_back(Place::inFile(dst - first, row.size()));
        copy(row);
        if (lineBreak)
            copy(kLineBreak);
    };
    *dst++ = kQuote;
    for (int i = 0; i < count(); ++i) {
        if (i != k || edit == Edit::None || edit == Edit::Append) {
            put(line(i), true);
        } else if (edit == Edit::Insert) {
            put(replacement, true);
            put(line(i), true);
        } else if (edit == Edit::Replace) {
            put(replacement, true);
        }
    }
    if (edit == Edit::Append || (edit == Edit::Insert && k >= count()))
        put(replacement, edit == Edit::Insert);
    *dst++ = kQuote;
    copy(kLineBreak);
    out.file_.truncate(dst - first);
    out.asRead_ = true;
    return out;
}

RowList RowList::saved() const
{
    return rewritten(-1, Edit::None, {});
}

RowList RowList::without(int k) const
{
    return rewritten(k, Edit::Drop, {});
}

RowList RowList::with(int k, const QString& row) const
{
    return rewritten(k, Edit::Replace, DataFile::writtenForm(row));
}

RowList RowList::with(int k, QByteArrayView line) const
{
    return rewritten(k, Edit::Replace, line);
}

RowList RowList::inserted(int k, QByteArrayView line) const
{
    return rewritten(k, Edit::Insert, line);
}

RowList RowList::appended(const QString& row) const
{
    return rewritten(count(), Edit::Append, DataFile::writtenForm(row));
}
