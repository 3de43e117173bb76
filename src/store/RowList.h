#pragma once

#include "DataFile.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <bit>
#include <vector>

// The store's rows kept as the bytes a save writes for them, mostly the loaded
// file itself: a page decodes its fifteen rows, and a save copies bytes instead
// of encoding every row again. A hand-edited line is cleaned at load into the
// form a save gives it, so the next write still writes it clean.
//
// A row's bytes lie in the list's file() or in its own extra bytes (rows
// cleaned at load or changed in memory). The list holds both, shared with its
// copies, so a line() stays valid while the list or any copy of it lives and
// the row is not set() again.
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

    int count() const { return int(places_.size()); }
    // An empty text outside the list.
    QString at(int k) const;
    // Memory only; the row becomes what a reload of the next write gives.
    void set(int k, const QString& row);

    // A row as a save writes it, without its line break.
    QByteArrayView line(int k) const { return bytes(places_[std::size_t(k)]); }
    // The rows, of as many as other has, that may differ from other's: all but
    // those at the same place of the same file, as on a copy of other, the rows
    // set() since.
    std::vector<int> rowsChangedFrom(const RowList& other) const;
    // Whether row k is other's row j unread: the same place in the same file.
    bool isCopyOf(int k, const RowList& other, int j) const
    {
        return places_[std::size_t(k)].isSameFileRow(other.places_[std::size_t(j)]) &&
               holdsFileOf(other);
    }
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
    const QByteArray& file() const { return file_; }
    // A write that would pass kMaxFileSize has no file and must not happen.
    bool tooLarge() const { return tooLarge_; }

private:
    // Where a row's bytes lie, in eight bytes: an offset of 32 bits, a size of
    // 31, and one bit for whether they are in file_ or in extra_.
    class Place {
    public:
        static Place inFile(qsizetype at, qsizetype size) { return {at, size, true}; }
        static Place inExtra(qsizetype at, qsizetype size) { return {at, size, false}; }
        qsizetype at() const { return at_; }
        qsizetype size() const { return size_; }
        qsizetype end() const { return at() + size(); }
        bool isInFile() const { return inFile_; }
        Place movedBy(qsizetype shift) const { return {at() + shift, size(), isInFile()}; }
        // All 64 bits are the fields, so one word compare says it.
        bool operator==(const Place& other) const
        {
            return std::bit_cast<quint64>(*this) == std::bit_cast<quint64>(other);
        }
        // The same place in a file: the same bytes where both lists hold one
        // file, or where their files agree that far.
        bool isSameFileRow(const Place& other) const { return isInFile() && *this == other; }

    private:
        Place(qsizetype at, qsizetype size, bool inFile)
            : at_(quint32(at)), size_(quint32(size)), inFile_(inFile ? 1 : 0)
        {
        }
        quint32 at_;
        quint32 size_ : 31;
        quint32 inFile_ : 1;
    };
    static_assert(sizeof(Place) == 8);

    bool holdsFileOf(const RowList& other) const
    {
        return file_.constData() == other.file_.constData();
    }
    QByteArrayView bytes(const Place& place) const
    {
        const QByteArray& from = place.isInFile() ? file_ : extra_;
        return QByteArrayView(from.constData() + place.at(), place.size());
    }
    // The bytes copied after the extra ones, and where they lie.
    Place putInExtra(QByteArrayView rowBytes);
    // The row a line of the file gives.
    void read(QByteArrayView line);
    // Asked for every row a reload takes from the last file: inline, two bytes
    // compared in place.
    bool lineBreakAt(qsizetype at) const
    {
        using DataFile::kLineBreak;
        return at >= 0 && at + kLineBreak.size() <= file_.size() &&
               std::equal(kLineBreak.begin(), kLineBreak.end(), file_.constData() + at);
    }
    // How many of the first rows lie, line break and all, in the file's first
    // `bytes` bytes.
    int rowsEndingWithin(qsizetype bytes) const;
    // The first of the last rows, none before `from`, whose lines begin after a
    // line break in the file's last `bytes` bytes; count() when there is none.
    int rowsStartingWithin(qsizetype bytes, int from) const;
    enum class Edit { None, Drop, Replace, Insert, Append };
    // The file of every row with row k left out, replaced or preceded by one
    // more, or one added after the last, all at once.
    RowList rewritten(int k, Edit edit, QByteArrayView replacement) const;

    QByteArray file_;
    QByteArray extra_;
    std::vector<Place> places_;
    bool tooLarge_ = false;
    // Whether places_ are what reading file_ gives, as fromFile(file, like) needs.
    bool asRead_ = false;
};

// A list in memory made of rows as a save writes them, one at a time.
class RowList::Builder {
public:
    // home becomes the list's file().
    Builder(const QByteArray& home, std::size_t rows);
    // Row k of a list: where it lies when that list's file() is home, else copied.
    void add(const RowList& list, int k)
    {
        const Place& place = list.places_[std::size_t(k)];
        if (place.isInFile() && list_.holdsFileOf(list))
            list_.places_.push_back(place);
        else
            add(list.line(k));
    }
    // A row made elsewhere, copied.
    void add(QByteArrayView line) { list_.places_.push_back(list_.putInExtra(line)); }
    RowList take() { return std::move(list_); }

private:
    RowList list_;
};
