#include "RowList.h"

#include "DataFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kQuote = '"';

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
    list.base_ = std::move(file);
    DataFile::forEachLine(list.base_, [&list](QByteArrayView line) { list.read(line); });
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
        spans_.push_back(makeSpan(line.data() - base_.constData(), line.size(), true));
    else
        spans_.push_back(keep(DataFile::writtenForm(line)));
}

RowList RowList::fromFile(QByteArray file, const RowList& like)
{
    if (!like.asRead_ || like.base_.isEmpty())
        return fromFile(std::move(file));
    RowList list;
    list.base_ = std::move(file);
    const QByteArray& now = list.base_;
    const QByteArray& was = like.base_;
    const std::size_t rows = like.spans_.size();
    auto lineBreakAt = [&was](qsizetype at) { return was[at] == '\r' && was[at + 1] == '\n'; };

    // A line ends at the first line break after it begins, and reads the same
    // wherever it lies: the rows of lines that end, line break and all, in the
    // bytes both files begin with are like's rows, in the same place.
    const qsizetype head = sameBytesAtStart(now, was);
    std::size_t first = 0;
    qsizetype from = 0;
    for (; first < rows; ++first) {
        const Span& span = like.spans_[first];
        const qsizetype end = qsizetype(span.at) + span.size;
        if (!span.inBase || end + 2 > head || !lineBreakAt(end))
            break;
        from = end + 2;
    }
    // So are the rows of lines that begin after a line break in the bytes both
    // end with, moved by the difference in size.
    const qsizetype tail =
        sameBytesAtEnd(now.constData() + now.size(), was.constData() + was.size(),
                       std::min(now.size(), was.size()) - from);
    const qsizetype shift = now.size() - was.size();
    std::size_t last = rows;
    qsizetype to = now.size();
    for (std::size_t r = rows; r-- > first;) {
        const Span& span = like.spans_[r];
        if (!span.inBase)
            continue;
        if (qsizetype(span.at) - 2 < was.size() - tail)
            break;
        if (lineBreakAt(span.at - 2)) {
            last = r;
            to = span.at + shift;
        }
    }

    list.spans_.reserve(rows + 1);
    list.spans_.assign(like.spans_.begin(), like.spans_.begin() + std::ptrdiff_t(first));
    DataFile::forEachLine(QByteArrayView(now.constData() + from, to - from),
                          [&list](QByteArrayView line) { list.read(line); });
    for (std::size_t r = last; r < rows; ++r) {
        const Span& span = like.spans_[r];
        list.spans_.push_back(span.inBase ? makeSpan(span.at + shift, span.size, true)
                                          : list.keep(like.bytes(span).toByteArray()));
    }
    list.asRead_ = true;
    return list;
}

RowList::Span RowList::keep(const QByteArray& rowBytes)
{
    const Span kept = makeSpan(extra_.size(), rowBytes.size(), false);
    extra_.append(rowBytes);
    return kept;
}

QString RowList::at(int k) const
{
    if (k < 0 || k >= count())
        return {};
    return DataFile::row(bytes(spans_[std::size_t(k)]));
}

void RowList::set(int k, const QString& row)
{
    if (k < 0 || k >= count())
        return;
    // Rows changed in memory over and over would pile up their old bytes.
    if (extra_.size() > 65536 + base_.size()) {
        QByteArray old = std::exchange(extra_, QByteArray());
        for (Span& span : spans_) {
            if (!span.inBase) {
                const QByteArrayView was(old.constData() + span.at, span.size);
                span.at = quint32(extra_.size());
                extra_.append(was);
            }
        }
    }
    spans_[std::size_t(k)] = keep(DataFile::writtenForm(row));
    asRead_ = false;
}

std::vector<int> RowList::changedFrom(const RowList& other) const
{
    static_assert(sizeof(Span) == sizeof(quint64));
    std::vector<int> changed;
    const bool sameBase = base_.constData() == other.base_.constData();
    for (std::size_t k = 0; k < spans_.size(); ++k) {
        quint64 a, b;
        std::memcpy(&a, &spans_[k], sizeof a);
        std::memcpy(&b, &other.spans_[k], sizeof b);
        if (!sameBase || a != b || !spans_[k].inBase)
            changed.push_back(int(k));
    }
    return changed;
}

int RowList::sharedStart(const RowList& other) const
{
    const qsizetype same = sameBytesAtStart(base_, other.base_);
    const int rows = std::min(count(), other.count());
    int k = 0;
    for (; k < rows; ++k) {
        const Span& a = spans_[std::size_t(k)];
        const Span& b = other.spans_[std::size_t(k)];
        // A row cleaned at load lies elsewhere; the line break must match too.
        if (!a.inBase || !b.inBase || a.at != b.at || a.size != b.size ||
            qsizetype(a.at) + a.size + 2 > same)
            break;
    }
    return k;
}

int RowList::sharedEnd(const RowList& other, int skip, int from) const
{
    const int aLast = count() - 1, bLast = other.count() - 1 - skip;
    if (aLast < from || bLast < from)
        return 0;
    const Span& a0 = spans_[std::size_t(aLast)];
    const Span& b0 = other.spans_[std::size_t(bLast)];
    const Span& aFrom = spans_[std::size_t(from)];
    const Span& bFrom = other.spans_[std::size_t(from)];
    if (!a0.inBase || !b0.inBase || !aFrom.inBase || !bFrom.inBase)
        return 0;
    // Compared up to the end of each side's last row: what follows it differs
    // between an append and a save.
    const qsizetype aEnd = qsizetype(a0.at) + a0.size, bEnd = qsizetype(b0.at) + b0.size;
    const qsizetype same =
        sameBytesAtEnd(base_.constData() + aEnd, other.base_.constData() + bEnd,
                       std::min(aEnd - qsizetype(aFrom.at), bEnd - qsizetype(bFrom.at)));
    int k = 0;
    for (; aLast - k >= from && bLast - k >= from; ++k) {
        const Span& a = spans_[std::size_t(aLast - k)];
        const Span& b = other.spans_[std::size_t(bLast - k)];
        const qsizetype fromEnd = aEnd - a.at;
        if (!a.inBase || !b.inBase || fromEnd > same || fromEnd != bEnd - b.at || a.size != b.size)
            break;
    }
    return k;
}

RowList::Builder::Builder(const QByteArray& home, std::size_t rows)
{
    list_.base_ = home;
    list_.spans_.reserve(rows);
}

void RowList::Builder::add(QByteArrayView line)
{
    const char* const first = list_.base_.constData();
    if (line.data() >= first && line.data() + line.size() <= first + list_.base_.size() &&
        !line.isEmpty())
        list_.spans_.push_back(makeSpan(line.data() - first, line.size(), true));
    else
        list_.spans_.push_back(list_.keep(line.toByteArray()));
}

RowList RowList::rewritten(int k, Edit edit, QByteArrayView replacement) const
{
    const bool adding = edit == Edit::Insert || edit == Edit::Append;
    qsizetype size = 4 + replacement.size() + 2;
    for (const Span& span : spans_)
        size += span.size + 2;
    RowList out;
    if (size > kMaxFileSize) {
        out.tooLarge_ = true;
        return out;
    }
    out.base_ = QByteArray(size, Qt::Uninitialized);
    out.spans_.reserve(spans_.size() + (adding ? 1 : 0));
    char* const first = out.base_.data();
    char* dst = first;
    *dst++ = kQuote;
    auto put = [&](QByteArrayView row, bool lineBreak) {
        out.spans_.push_back(makeSpan(dst - first, row.size(), true));
        if (!row.isEmpty())
            std::memcpy(dst, row.data(), size_t(row.size()));
        dst += row.size();
        if (lineBreak) {
            *dst++ = '\r';
            *dst++ = '\n';
        }
    };
    for (int i = 0; i < count(); ++i) {
        if (i != k || edit == Edit::None || edit == Edit::Append) {
            put(bytes(spans_[std::size_t(i)]), true);
            continue;
        }
        if (edit == Edit::Insert) {
            put(replacement, true);
            put(bytes(spans_[std::size_t(i)]), true);
        } else if (edit == Edit::Replace) {
            put(replacement, true);
        }
    }
    if (edit == Edit::Append || (edit == Edit::Insert && k >= count()))
        put(replacement, edit == Edit::Insert);
    *dst++ = kQuote;
    *dst++ = '\r';
    *dst++ = '\n';
    out.base_.truncate(dst - first);
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
