#include "RowList.h"

#include "DataFile.h"

#include <cstring>

namespace {

constexpr char kQuote = '"';

} // namespace

RowList RowList::fromFile(QByteArray file)
{
    RowList list;
    list.base_ = std::move(file);
    const char* const base = list.base_.constData();
    DataFile::forEachLine(list.base_, [&list, base](QByteArrayView line) {
        // The quotes opening and closing the file sit on the first and last lines.
        while (!line.isEmpty() && line.front() == kQuote)
            line = line.sliced(1);
        while (!line.isEmpty() && line.back() == kQuote)
            line.chop(1);
        if (DataFile::isWrittenForm(line))
            list.spans_.push_back(makeSpan(line.data() - base, line.size(), true));
        else
            list.spans_.push_back(list.keep(DataFile::writtenForm(line)));
    });
    return list;
}

QByteArrayView RowList::bytes(const Span& span) const
{
    const QByteArray& from = span.inBase ? base_ : extra_;
    return QByteArrayView(from.constData() + span.at, span.size);
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
}

bool RowList::sameSpan(const RowList& other, int k) const
{
    const Span& a = spans_[std::size_t(k)];
    const Span& b = other.spans_[std::size_t(k)];
    return a.inBase && b.inBase && a.at == b.at && a.size == b.size &&
           base_.constData() == other.base_.constData();
}

RowList RowList::assemble(const QByteArray& home, const std::vector<QByteArrayView>& lines)
{
    RowList list;
    list.base_ = home;
    list.spans_.reserve(lines.size());
    const char* const first = home.constData();
    const char* const end = first + home.size();
    for (const QByteArrayView line : lines) {
        if (line.data() >= first && line.data() + line.size() <= end && !line.isEmpty())
            list.spans_.push_back(makeSpan(line.data() - first, line.size(), true));
        else
            list.spans_.push_back(list.keep(line.toByteArray()));
    }
    return list;
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
