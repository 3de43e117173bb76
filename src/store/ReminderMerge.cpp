#include "ReminderMerge.h"

#include "DataFile.h"
#include "DueRule.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <list>
#include <unordered_map>

namespace {

constexpr char kSeparator = '\xA7';
constexpr int kFields = 5;

bool same(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && (a.isEmpty() || std::memcmp(a.data(), b.data(), size_t(a.size())) == 0);
}

// A row as a save writes it always has exactly five fields.
using Fields = std::array<QByteArrayView, kFields>;

Fields fieldsOf(QByteArrayView line)
{
    Fields f;
    qsizetype from = 0;
    for (int i = 0; i < kFields - 1; ++i) {
        qsizetype at = line.indexOf(kSeparator, from);
        if (at < 0)
            at = line.size();
        f[std::size_t(i)] = line.sliced(from, at - from);
        from = std::min(at + 1, line.size());
    }
    f[kFields - 1] = line.sliced(from);
    return f;
}

// Fields are short: a plain loop beats a call to memchr.
qsizetype separatorAfter(QByteArrayView line, qsizetype from)
{
    for (qsizetype i = from; i < line.size(); ++i)
        if (line[i] == kSeparator)
            return i;
    return -1;
}

// The program's own stamps are 17 characters.
constexpr qsizetype kStampSize = 17;

// Whether any of eight bytes is "§".
bool holdsSeparator(const char* eight)
{
    quint64 w;
    std::memcpy(&w, eight, 8);
    w ^= 0xA7A7A7A7A7A7A7A7u;
    return ((w - 0x0101010101010101u) & ~w & 0x8080808080808080u) != 0;
}

QByteArrayView stampOfAnyLength(QByteArrayView line)
{
    const qsizetype at = separatorAfter(line, 0);
    return at < 0 ? line : line.first(at);
}

inline QByteArrayView stampOf(QByteArrayView line)
{
    const char* p = line.data();
    if (line.size() > kStampSize && p[kStampSize] == kSeparator && !holdsSeparator(p) &&
        !holdsSeparator(p + 8) && p[16] != kSeparator) [[likely]]
        return line.first(kStampSize);
    return stampOfAnyLength(line);
}

// Title and description: the last two fields, side by side in the line.
QByteArrayView titleAndDescription(QByteArrayView line)
{
    qsizetype at = -1;
    for (int i = 0; i < 3; ++i) {
        at = separatorAfter(line, at + 1);
        if (at < 0)
            return {};
    }
    return line.sliced(at + 1);
}

struct ViewHash {
    std::size_t operator()(QByteArrayView v) const { return qHashBits(v.data(), size_t(v.size())); }
};
struct ViewEqual {
    bool operator()(QByteArrayView a, QByteArrayView b) const { return same(a, b); }
};

struct Key {
    QByteArrayView stamp;
    QByteArrayView text;
    bool operator==(const Key& o) const { return same(stamp, o.stamp) && same(text, o.text); }
};
struct KeyHash {
    std::size_t operator()(const Key& k) const
    {
        return qHashBits(k.stamp.data(), size_t(k.stamp.size()),
                         qHashBits(k.text.data(), size_t(k.text.size())));
    }
};

// Rows of one side waiting to be paired, in their order, under one key.
struct Queue {
    std::vector<int> rows;
    std::size_t next = 0;
};

// Returns, for each row of a, its row in b or -1, and the reverse.
struct Pairing {
    std::vector<int> bOfA;
    std::vector<int> aOfB;
};

bool sameIdentity(QByteArrayView x, QByteArrayView y)
{
    return same(x, y) ||
           (same(stampOf(x), stampOf(y)) && same(titleAndDescription(x), titleAndDescription(y)));
}

// Stamps in the order of their bytes: below 0, 0 or above 0.
inline int stampOrder(QByteArrayView x, QByteArrayView y)
{
    if (x.size() == kStampSize && y.size() == kStampSize) {
        // Compared as big-endian words: the order of the bytes.
        const quint64 x0 = qFromBigEndian<quint64>(x.data()), y0 = qFromBigEndian<quint64>(y.data());
        if (x0 != y0)
            return x0 < y0 ? -1 : 1;
        const quint64 x1 = qFromBigEndian<quint64>(x.data() + 8),
                      y1 = qFromBigEndian<quint64>(y.data() + 8);
        if (x1 != y1)
            return x1 < y1 ? -1 : 1;
        return int(quint8(x[16])) - int(quint8(y[16]));
    }
    const int c = std::memcmp(x.data(), y.data(), size_t(std::min(x.size(), y.size())));
    return c != 0 ? c : x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

inline bool stampBefore(QByteArrayView x, QByteArrayView y)
{
    return stampOrder(x, y) < 0;
}

// A list's rows read in place, as pair() reads a vector of them.
class ListRows {
public:
    explicit ListRows(const RowList& list) : list_(list) {}
    std::size_t size() const { return std::size_t(list_.count()); }
    QByteArrayView operator[](std::size_t k) const { return list_.line(int(k)); }

private:
    const RowList& list_;
};

// Which rows of two sides are one reminder. Against the base, a row sharing a
// stamp may be a correction, so the rest pair in order once equal texts have
// paired. Between rows the base lacks, nothing tells a correction from a
// reminder written in the same second elsewhere, and a wrong guess loses one:
// only equal texts pair.
enum class Match { TextThenOrder, TextOnly };

// One side's rows where the two sides differ: those from `from` to `to`, then
// those from `extraFrom` to `end` (rows added last, set apart from a shared end).
struct Middle {
    std::size_t from, to, extraFrom, end;
    std::size_t size() const { return (to - from) + (end - extraFrom); }
    std::size_t row(std::size_t m) const
    {
        return m < to - from ? from + m : extraFrom + (m - (to - from));
    }
};

// Files written while the clock only moves forward have their stamps in order,
// each once: there a stamp meets at most one row on the other side, found by
// walking both middles together. False, with nothing paired, when a middle's
// stamps do not rise strictly from the row before it.
template <typename Rows>
bool pairRising(const Rows& a, const Rows& b, const Middle& am, const Middle& bm, Match match,
                Pairing& p)
{
    bool rising = true;
    auto next = [&rising](const Rows& rows, const Middle& middle, std::size_t m,
                          QByteArrayView& last) {
        const std::size_t k = middle.row(m);
        const QByteArrayView stamp = stampOf(rows[k]);
        if (m == 0 && k > 0)
            last = stampOf(rows[k - 1]);
        if ((m > 0 || k > 0) && stampOrder(last, stamp) >= 0)
            rising = false;
        last = stamp;
    };
    const std::size_t aSize = am.size(), bSize = bm.size();
    QByteArrayView lastA, lastB;
    std::size_t i = 0, j = 0;
    if (i < aSize)
        next(a, am, i, lastA);
    if (j < bSize)
        next(b, bm, j, lastB);
    while (rising && i < aSize && j < bSize) {
        const int order = stampOrder(lastA, lastB);
        if (order == 0) {
            const std::size_t x = am.row(i), y = bm.row(j);
            if (match == Match::TextThenOrder ||
                same(titleAndDescription(a[x]), titleAndDescription(b[y]))) {
                p.bOfA[x] = int(y);
                p.aOfB[y] = int(x);
            }
        }
        if (order <= 0 && ++i < aSize)
            next(a, am, i, lastA);
        if (order >= 0 && ++j < bSize)
            next(b, bm, j, lastB);
    }
    // The rest of the longer middle must rise too.
    for (++i; rising && i < aSize; ++i)
        next(a, am, i, lastA);
    for (++j; rising && j < bSize; ++j)
        next(b, bm, j, lastB);
    if (!rising) {
        for (std::size_t m = 0; m < aSize; ++m)
            p.bOfA[am.row(m)] = -1;
        for (std::size_t m = 0; m < bSize; ++m)
            p.aOfB[bm.row(m)] = -1;
    }
    return rising;
}

// Whether a row's stamp is this one.
bool stampIs(QByteArrayView line, QByteArrayView stamp)
{
    return line.size() > stamp.size()
               ? line[stamp.size()] == kSeparator && same(line.first(stamp.size()), stamp)
               : same(line, stamp);
}

// Cuts the tail (rows of a and b that end both, row for row) before its last
// row whose stamp is in the middle: a and b's rows from start on, other than
// the tail and b's extra rows added last.
template <typename Rows>
void tailClearOfMiddle(const Rows& a, const Rows& b, std::size_t start, std::size_t extra,
                       std::size_t& tail)
{
    // Past this many rows in the middle, looking costs more than it saves.
    constexpr std::size_t kLargestMiddle = 4096;
    // Up to this many, each tail row is held against each, a word at a time.
    constexpr std::size_t kFewInMiddle = 8;
    while (tail > 0) {
        const Middle am{start, a.size() - tail, 0, 0};
        const Middle bm{start, b.size() - extra - tail, b.size() - extra, b.size()};
        if (am.size() + bm.size() > kLargestMiddle) {
            tail = 0;
            return;
        }
        std::vector<QByteArrayView> middle;
        for (std::size_t m = 0; m < am.size(); ++m)
            middle.push_back(stampOf(a[am.row(m)]));
        for (std::size_t m = 0; m < bm.size(); ++m)
            middle.push_back(stampOf(b[bm.row(m)]));
        std::sort(middle.begin(), middle.end(), stampBefore);
        middle.erase(std::unique(middle.begin(), middle.end(),
                                 [](QByteArrayView x, QByteArrayView y) { return same(x, y); }),
                     middle.end());
        // The first eight bytes of each stamp that has them, as one word.
        std::array<quint64, kFewInMiddle> heads{};
        const bool few = middle.size() <= kFewInMiddle;
        bool allLong = few;
        for (std::size_t m = 0; few && m < middle.size(); ++m) {
            allLong = allLong && middle[m].size() >= 8;
            if (middle[m].size() >= 8)
                std::memcpy(&heads[m], middle[m].data(), sizeof(quint64));
        }
        auto inMiddle = [&](QByteArrayView line) {
            if (!few)
                return std::binary_search(middle.begin(), middle.end(), stampOf(line), stampBefore);
            if (allLong && line.size() >= 8) {
                quint64 head;
                std::memcpy(&head, line.data(), sizeof head);
                for (std::size_t m = 0; m < middle.size(); ++m)
                    if (heads[m] == head && stampIs(line, middle[m]))
                        return true;
                return false;
            }
            for (const QByteArrayView stamp : middle)
                if (stampIs(line, stamp))
                    return true;
            return false;
        };
        std::size_t keep = tail;
        for (std::size_t t = 0; t < tail; ++t) {
            if (inMiddle(a[a.size() - 1 - t])) {
                keep = t;
                break;
            }
        }
        if (keep == tail)
            return;
        tail = keep;
    }
}

// Pairs the rows of a with those of b: same stamp and equal title and
// description first, then, by TextThenOrder, the rest of a stamp in order.
// shared and sharedEnd: rows already known to be the same, byte for byte, at
// the start of both, and at the end of a and of b without its last `extra`.
template <typename Rows>
Pairing pair(const Rows& a, const Rows& b, Match match, std::size_t shared = 0,
             std::size_t sharedEnd = 0, std::size_t extra = 0)
{
    Pairing p{std::vector<int>(a.size(), -1), std::vector<int>(b.size(), -1)};
    // Lists that grew apart a little share most of their start: those rows pair
    // as the full rule pairs them, being the first of their stamp on both sides.
    std::size_t start = shared;
    const std::size_t common = std::min(a.size(), b.size());
    while (start < common && sameIdentity(a[start], b[start]))
        ++start;
    for (std::size_t i = 0; i < start; ++i)
        p.bOfA[i] = p.aOfB[i] = int(i);
    // Rows of a shared end pair so too when their stamp is nowhere in the middle,
    // which holds the changes. Rows b added last come after that end, and join
    // the middle as the rule takes them after it.
    if (b.size() < start + extra)
        extra = 0;
    const std::size_t bEnds = b.size() - extra;
    const std::size_t ends = std::min(a.size(), bEnds) - start;
    std::size_t tail = std::min(sharedEnd, ends);
    while (tail < ends && sameIdentity(a[a.size() - 1 - tail], b[bEnds - 1 - tail]))
        ++tail;
    if (tail == 0)
        extra = 0;
    tailClearOfMiddle(a, b, start, extra, tail);
    for (std::size_t t = 0; t < tail; ++t) {
        const std::size_t i = a.size() - 1 - t, j = bEnds - 1 - t;
        p.bOfA[i] = int(j);
        p.aOfB[j] = int(i);
    }
    const Middle am{start, a.size() - tail, 0, 0};
    const Middle bm{start, b.size() - extra - tail, b.size() - extra, b.size()};
    if (am.size() == 0 || bm.size() == 0)
        return p;

    if (pairRising(a, b, am, bm, match, p))
        return p;

    const bool byOrder = match == Match::TextThenOrder;
    std::unordered_map<Key, Queue, KeyHash> byText;
    std::unordered_map<QByteArrayView, Queue, ViewHash, ViewEqual> byStamp;
    for (std::size_t m = 0; m < am.size(); ++m) {
        const std::size_t i = am.row(m);
        const QByteArrayView stamp = stampOf(a[i]);
        byText[Key{stamp, titleAndDescription(a[i])}].rows.push_back(int(i));
        if (byOrder)
            byStamp[stamp].rows.push_back(int(i));
    }
    for (std::size_t m = 0; m < bm.size(); ++m) {
        const std::size_t j = bm.row(m);
        const auto found = byText.find(Key{stampOf(b[j]), titleAndDescription(b[j])});
        if (found == byText.end() || found->second.next == found->second.rows.size())
            continue;
        const int i = found->second.rows[found->second.next++];
        p.bOfA[std::size_t(i)] = int(j);
        p.aOfB[j] = i;
    }
    for (std::size_t m = 0; byOrder && m < bm.size(); ++m) {
        const std::size_t j = bm.row(m);
        if (p.aOfB[j] >= 0)
            continue;
        const auto found = byStamp.find(stampOf(b[j]));
        if (found == byStamp.end())
            continue;
        Queue& q = found->second;
        while (q.next < q.rows.size() && p.bOfA[std::size_t(q.rows[q.next])] >= 0)
            ++q.next;
        if (q.next == q.rows.size())
            continue;
        const int i = q.rows[q.next++];
        p.bOfA[std::size_t(i)] = int(j);
        p.aOfB[j] = i;
    }
    return p;
}

// Merged rows that match no input row live here until the list is built.
class Made {
public:
    QByteArrayView add(QByteArray line)
    {
        lines_.push_back(std::move(line));
        return lines_.back();
    }

private:
    // Views into these must stay valid while more are added.
    std::list<QByteArray> lines_;
};

// Field by field: a field ours changed is ours, otherwise theirs.
QByteArrayView mergeRow(QByteArrayView base, QByteArrayView ours, QByteArrayView theirs,
                        Made& made)
{
    if (same(ours, base) || same(ours, theirs))
        return theirs;
    if (same(theirs, base))
        return ours;
    const Fields b = fieldsOf(base), o = fieldsOf(ours), t = fieldsOf(theirs);
    QByteArray line;
    line.reserve(ours.size() + theirs.size());
    for (std::size_t i = 0; i < kFields; ++i) {
        if (i > 0)
            line.append(kSeparator);
        line.append(same(o[i], b[i]) ? t[i] : o[i]);
    }
    return made.add(std::move(line));
}

int twoDigits(const char* p)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

qint64 keyOf(QByteArrayView stamp, const DueRule::Window& window)
{
    if (stamp.size() != 17)
        return -1;
    const char* s = stamp.data();
    int part[6];
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && s[3 * i - 1] != '.')
            return -1;
        part[i] = twoDigits(s + 3 * i);
        if (part[i] < 0)
            return -1;
    }
    const int month = part[1], day = part[2];
    if (month < 1 || month > 12 || day < 1 || part[3] > 23 || part[4] > 59 || part[5] > 59)
        return -1;
    const int year = window.yearOf(part[0], month, day);
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return -1;
    return ((((qint64(year) * 100 + month) * 100 + day) * 100 + part[3]) * 100 + part[4]) * 100 +
           part[5];
}

// Whether a row's stamp is later than an addition's, reading the row's whole
// stamp only when its year and the bytes after it leave that open: a row whose
// year comes before, or whose bytes do not come after in the same year, is not
// later, whether its stamp reads or not.
class LaterThan {
public:
    explicit LaterThan(const DueRule::Window& window) : window_(window)
    {
        for (int yy = 0; yy < 100; ++yy) {
            // Only the window's first year depends on the month and day: 0.
            const int year = window.yearOf(yy, 12, 31);
            year_[std::size_t(yy)] = window.yearOf(yy, 1, 1) == year ? year : 0;
        }
    }
    // A readable stamp and its key.
    void setAddition(QByteArrayView stamp, qint64 key)
    {
        stamp_ = stamp;
        key_ = key;
        const int year = window_.yearOf(twoDigits(stamp.data()), twoDigits(stamp.data() + 3),
                                        twoDigits(stamp.data() + 6));
        for (std::size_t yy = 0; yy < 100; ++yy)
            yearIs_[yy] = year_[yy] == 0      ? Year::Open
                          : year_[yy] < year  ? Year::Before
                          : year_[yy] == year ? Year::Same
                                              : Year::Open;
    }

    // False when the row is surely not later, true when its stamp must be read.
    bool mayBe(QByteArrayView row) const
    {
        if (row.size() < kStampSize)
            return false;
        const unsigned tens = unsigned(row[0] - '0'), units = unsigned(row[1] - '0');
        if (tens > 9 || units > 9)
            return false;
        switch (yearIs_[tens * 10 + units]) {
        case Year::Before:
            return false;
        case Year::Same:
            return stampBefore(stamp_, row.first(kStampSize));
        case Year::Open:
            break;
        }
        return true;
    }
    bool operator()(QByteArrayView row) const
    {
        return mayBe(row) && keyOf(stampOf(row), window_) > key_;
    }

private:
    enum class Year : quint8 { Before, Same, Open };
    const DueRule::Window& window_;
    QByteArrayView stamp_;
    qint64 key_ = -1;
    std::array<int, 100> year_{};
    std::array<Year, 100> yearIs_{};
};

// Writes the kept rows out in their order, and puts each addition before the
// first kept row whose stamp is later, those with unreadable stamps last. Taken
// in stamp order, each addition's place depends on the kept rows alone, and
// comes no earlier than the one before.
class Placing {
public:
    Placing(const std::vector<QByteArrayView>& added, const QDate& today, const QByteArray& home,
            std::size_t kept)
        : window_(today), later_(window_), out_(home, kept + added.size())
    {
        for (std::size_t i = 0; i < added.size(); ++i) {
            const qint64 key = keyOf(stampOf(added[i]), window_);
            if (key < 0)
                unreadable_.push_back(added[i]);
            else
                readable_.push_back({key, i, added[i]});
        }
        std::sort(readable_.begin(), readable_.end(), [](const Addition& x, const Addition& y) {
            return x.key != y.key ? x.key < y.key : x.order < y.order;
        });
        next_ = readable_.data();
        end_ = next_ + readable_.size();
        aim();
    }

    void keep(QByteArrayView row)
    {
        if (next_ != end_ && later_.mayBe(row))
            addBefore(row);
        out_.add(row);
    }
    // Called for most rows of a list: the usual row costs a few comparisons.
    void keep(const RowList& list, int k)
    {
        if (next_ != end_ && later_.mayBe(list.line(k)))
            addBefore(list.line(k));
        out_.add(list, k);
    }
    RowList take()
    {
        for (; next_ != end_; ++next_)
            out_.add(next_->line);
        for (const QByteArrayView line : unreadable_)
            out_.add(line);
        return out_.take();
    }

private:
    struct Addition {
        qint64 key;
        std::size_t order;
        QByteArrayView line;
    };

    void aim()
    {
        if (next_ != end_)
            later_.setAddition(stampOf(next_->line), next_->key);
    }
    Q_NEVER_INLINE void addBefore(QByteArrayView row)
    {
        while (later_(row)) {
            out_.add((next_++)->line);
            if (next_ == end_)
                return;
            aim();
        }
    }

    const DueRule::Window window_;
    LaterThan later_;
    RowList::Builder out_;
    std::vector<Addition> readable_;
    std::vector<QByteArrayView> unreadable_;
    const Addition* next_ = nullptr;
    const Addition* end_ = nullptr;
};

} // namespace

namespace ReminderMerge {

qint64 stampKey(QByteArrayView stamp, const QDate& today)
{
    return keyOf(stamp, DueRule::Window(today));
}

int find(const RowList& rows, const Reminder& r, int hint)
{
    const QByteArray target = DataFile::writtenForm(r.toRow());
    if (hint >= 0 && hint < rows.count() && same(rows.line(hint), target))
        return hint;
    const QByteArrayView stamp = stampOf(target), text = titleAndDescription(target);
    // Most rows differ in their first eight bytes, compared as one word.
    const bool byWord = stamp.size() >= 8;
    quint64 stampHead = 0;
    if (byWord)
        std::memcpy(&stampHead, stamp.data(), sizeof stampHead);
    int only = -1;
    bool several = false;
    for (int k = 0; k < rows.count(); ++k) {
        const QByteArrayView line = rows.line(k);
        if (line.size() <= stamp.size())
            continue;
        if (byWord) {
            quint64 lineHead;
            std::memcpy(&lineHead, line.data(), sizeof lineHead);
            if (lineHead != stampHead)
                continue;
        }
        if (line[stamp.size()] != kSeparator || !same(line.first(stamp.size()), stamp))
            continue;
        if (same(titleAndDescription(line), text))
            return k;
        if (only >= 0)
            several = true;
        else
            only = k;
    }
    // Reminders of one second whose texts all changed: none can be told for r.
    return several ? -1 : only;
}

int placeFor(const RowList& rows, QByteArrayView stamp, const QDate& today)
{
    const DueRule::Window window(today);
    const qint64 key = keyOf(stamp, window);
    if (key < 0)
        return rows.count();
    for (int k = 0; k < rows.count(); ++k)
        if (keyOf(stampOf(rows.line(k)), window) > key)
            return k;
    return rows.count();
}

RowList merge(const RowList* base, const RowList& ours, const RowList& theirs, const QDate& today,
              bool oursFollowsBase)
{
    const ListRows o(ours), t(theirs);

    if (!base) {
        const Pairing ot = pair(o, t, Match::TextOnly);
        std::vector<QByteArrayView> added;
        for (std::size_t j = 0; j < t.size(); ++j)
            if (ot.aOfB[j] < 0)
                added.push_back(t[j]);
        Placing out(added, today, theirs.file(), o.size());
        for (int k = 0; k < ours.count(); ++k)
            out.keep(ours, k);
        return out.take();
    }

    const ListRows b(*base);
    // Ours changed in place pairs by position while every row keeps its identity
    // there, which a pending status change does; only the rows changed are read.
    bool followed = oursFollowsBase && o.size() == b.size();
    const std::vector<int> changed = followed ? ours.changedFrom(*base) : std::vector<int>();
    for (const int k : changed) {
        const auto i = std::size_t(k);
        followed = followed && same(stampOf(o[i]), stampOf(b[i])) &&
                   same(titleAndDescription(o[i]), titleAndDescription(b[i]));
    }
    const Pairing bo = followed ? Pairing{} : pair(b, o, Match::TextThenOrder);
    // Past the start both share, a reminder added last on theirs would hide
    // the end both share: a few are set aside to find it.
    constexpr int kAddedLast = 4;
    const int start = base->sharedStart(theirs);
    int end = base->sharedEnd(theirs, 0, start), extra = 0;
    for (int added = 1; end == 0 && start < base->count() && added <= kAddedLast; ++added) {
        end = base->sharedEnd(theirs, added, start);
        extra = end > 0 ? added : 0;
    }
    const Pairing bt =
        pair(b, t, Match::TextThenOrder, std::size_t(start), std::size_t(end), std::size_t(extra));

    // Added on both sides, once: ours' fields win where the two differ (status
    // and due; their texts are equal).
    std::vector<QByteArrayView> oursAdded, theirsAdded;
    if (!followed)
        for (std::size_t j = 0; j < o.size(); ++j)
            if (bo.aOfB[j] < 0)
                oursAdded.push_back(o[j]);
    for (std::size_t j = 0; j < t.size(); ++j)
        if (bt.aOfB[j] < 0)
            theirsAdded.push_back(t[j]);
    const Pairing both = pair(oursAdded, theirsAdded, Match::TextOnly);
    std::vector<QByteArrayView> added = oursAdded;
    for (std::size_t j = 0; j < theirsAdded.size(); ++j)
        if (both.aOfB[j] < 0)
            added.push_back(theirsAdded[j]);

    Made made;
    Placing out(added, today, theirs.file(), b.size());
    auto nextChanged = changed.begin();
    for (std::size_t i = 0; i < b.size(); ++i) {
        int oi = -1;
        bool oursSame = false;
        if (followed) {
            // Ours left alone: the same bytes in the same place, mostly.
            oi = int(i);
            oursSame = nextChanged == changed.end() || std::size_t(*nextChanged) != i;
            if (!oursSame) {
                ++nextChanged;
                oursSame = same(o[i], b[i]);
            }
        } else {
            oi = bo.bOfA[i];
            oursSame = oi >= 0 && same(o[std::size_t(oi)], b[i]);
        }
        const int ti = bt.bOfA[i];
        if (oi >= 0 && ti >= 0) {
            if (oursSame)
                out.keep(theirs, ti);
            else
                out.keep(mergeRow(b[i], o[std::size_t(oi)], t[std::size_t(ti)], made));
        } else if (oi >= 0) {
            if (!oursSame)
                out.keep(o[std::size_t(oi)]);
        } else if (ti >= 0) {
            if (!same(t[std::size_t(ti)], b[i]))
                out.keep(theirs, ti);
        }
    }
    return out.take();
}

QStringList merge(const std::optional<QStringList>& base, const QStringList& ours,
                  const QStringList& theirs, const QDate& today)
{
    const RowList b = RowList::fromFile(DataFile::serialize(base.value_or(QStringList())));
    const RowList merged =
        merge(base ? &b : nullptr, RowList::fromFile(DataFile::serialize(ours)),
              RowList::fromFile(DataFile::serialize(theirs)), today);
    QStringList rows;
    rows.reserve(merged.count());
    for (int k = 0; k < merged.count(); ++k)
        rows.append(merged.at(k));
    return rows;
}

} // namespace ReminderMerge
