#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The store's rows kept as the bytes a save writes for them, mostly the loaded
// file itself: a page decodes its fifteen rows, and a save copies bytes instead
// of encoding every row again. A hand-edited line is cleaned at load into the
// form a save gives it, so the next write still writes it clean.
class RowList {
public:
    // Larger files are refused: offsets are kept in 32 bits, eight bytes a row.
    static constexpr qsizetype kMaxFileSize = 0x7FFFFFFF;

    RowList() = default;
    // Takes the file's bytes, at most kMaxFileSize of them.
    static RowList fromFile(QByteArray file);
    // The same list, read faster from a file that begins and ends as the one
    // like was read from or written as: the rows there are taken from like.
    static RowList fromFile(QByteArray file, const RowList& like);

    int count() const { return int(spans_.size()); }
    // An empty text outside the list.
    QString at(int k) const;
    // Memory only; the row becomes what a reload of the next write gives.
    void set(int k, const QString& row);

    // A row as a save writes it, without its line break.
    QByteArrayView line(int k) const { return bytes(spans_[std::size_t(k)]); }
    // The rows, in order, that are not the same bytes in the same place as in
    // other, which has as many: on a copy of other, the rows set() since.
    std::vector<int> changedFrom(const RowList& other) const;
    // How many rows two lists read from files begin with byte for byte, found
    // with one comparison of the files rather than one a row.
    int sharedStart(const RowList& other) const;
    // The same for the rows they end with, other's last `skip` rows left out,
    // none of the first `from` rows counted.
    int sharedEnd(const RowList& other, int skip, int from) const;

    class Builder;

    // The list a write of the file leaves, and that file's bytes in file():
    // every row, or all but one, or one replaced or put before row k, or one
    // more after the last (which an append leaves without a line break).
    RowList saved() const;
    RowList without(int k) const;
    RowList with(int k, const QString& row) const;
    RowList with(int k, QByteArrayView line) const;
    RowList inserted(int k, QByteArrayView line) const;
    RowList appended(const QString& row) const;
    // The bytes this list was read from or written as.
    const QByteArray& file() const { return base_; }
    // A write that would pass kMaxFileSize has no file and must not happen.
    bool tooLarge() const { return tooLarge_; }

private:
    // Where a row's bytes are: the base or, when inBase is false, the extra bytes
    // of rows cleaned at load or changed in memory.
    struct Span {
        quint32 at = 0;
        quint32 size : 31 = 0;
        quint32 inBase : 1 = 1;
    };
    static Span makeSpan(qsizetype at, qsizetype size, bool inBase)
    {
        return {quint32(at), quint32(size), inBase ? 1u : 0u};
    }

    QByteArrayView bytes(const Span& span) const
    {
        const QByteArray& from = span.inBase ? base_ : extra_;
        return QByteArrayView(from.constData() + span.at, span.size);
    }
    Span keep(const QByteArray& rowBytes);
    // The row a line of the file gives.
    void read(QByteArrayView line);
    enum class Edit { None, Drop, Replace, Insert, Append };
    // The file of every row with row k left out, replaced or preceded by one
    // more, or one added after the last, all at once.
    RowList rewritten(int k, Edit edit, QByteArrayView replacement) const;

    QByteArray base_;
    QByteArray extra_;
    std::vector<Span> spans_;
    bool tooLarge_ = false;
    // Whether spans_ are what reading base_ gives, as fromFile(file, like) needs.
    bool asRead_ = false;
};

// A list in memory made of rows as a save writes them, one at a time; those
// lying in home (a file's bytes) are kept where they are, and home becomes
// file().
class RowList::Builder {
public:
    Builder(const QByteArray& home, std::size_t rows);
    void add(QByteArrayView line);
    // Row k of a list, where it lies when that list's file() is home.
    void add(const RowList& list, int k)
    {
        const Span& span = list.spans_[std::size_t(k)];
        if (span.inBase && span.size > 0 && list.base_.constData() == list_.base_.constData())
            list_.spans_.push_back(span);
        else
            add(list.line(k));
    }
    RowList take() { return std::move(list_); }

private:
    RowList list_;
};
