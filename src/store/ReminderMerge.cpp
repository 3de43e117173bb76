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

QByteArrayView stampOf(QByteArrayView line)
{
    const char* p = line.data();
    if (line.size() > kStampSize && p[kStampSize] == kSeparator && !holdsSeparator(p) &&
        !holdsSeparator(p + 8) && p[16] != kSeparator)
        return line.first(kStampSize);
    const qsizetype at = separatorAfter(line, 0);
    return at < 0 ? line : line.first(at);
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

bool stampBefore(QByteArrayView x, QByteArrayView y)
{
    if (x.size() == kStampSize && y.size() == kStampSize) {
        // Compared as big-endian words: the order of the bytes.
        const quint64 x0 = qFromBigEndian<quint64>(x.data()), y0 = qFromBigEndian<quint64>(y.data());
        if (x0 != y0)
            return x0 < y0;
        const quint64 x1 = qFromBigEndian<quint64>(x.data() + 8),
                      y1 = qFromBigEndian<quint64>(y.data() + 8);
        if (x1 != y1)
            return x1 < y1;
        return quint8(x[16]) < quint8(y[16]);
    }
    const int c = std::memcmp(x.data(), y.data(), size_t(std::min(x.size(), y.size())));
    return c != 0 ? c < 0 : x.size() < y.size();
}

// The stamps of rows from `from` to `to`, when they rise strictly from the one
// before.
bool stampsRise(const std::vector<QByteArrayView>& rows, std::size_t from, std::size_t to,
                std::vector<QByteArrayView>& stamps)
{
    stamps.reserve(to - from);
    QByteArrayView previous = from > 0 ? stampOf(rows[from - 1]) : QByteArrayView();
    for (std::size_t i = from; i < to; ++i) {
        const QByteArrayView stamp = stampOf(rows[i]);
        if (i > 0 && !stampBefore(previous, stamp))
            return false;
        stamps.push_back(stamp);
        previous = stamp;
    }
    return true;
}

// The middle's rows, from start to the end less tail rows, on both sides.
bool tailClearOfMiddle(const std::vector<QByteArrayView>& a, const std::vector<QByteArrayView>& b,
                       std::size_t start, std::size_t& tail)
{
    // Past this many rows in the middle, looking costs more than it saves.
    constexpr std::size_t kLargestMiddle = 4096;
    while (tail > 0) {
        const std::size_t aEnd = a.size() - tail, bEnd = b.size() - tail;
        if ((aEnd - start) + (bEnd - start) > kLargestMiddle) {
            tail = 0;
            return false;
        }
        std::vector<QByteArrayView> middle;
        for (std::size_t i = start; i < aEnd; ++i)
            middle.push_back(stampOf(a[i]));
        for (std::size_t j = start; j < bEnd; ++j)
            middle.push_back(stampOf(b[j]));
        std::sort(middle.begin(), middle.end(), stampBefore);
        std::size_t keep = tail;
        for (std::size_t t = 0; t < tail; ++t) {
            if (std::binary_search(middle.begin(), middle.end(), stampOf(a[a.size() - 1 - t]),
                                   stampBefore)) {
                keep = t;
                break;
            }
        }
        if (keep == tail)
            return true;
        tail = keep;
    }
    return true;
}

// Which rows of two sides are one reminder. Against the base, a row sharing a
// stamp may be a correction, so the rest pair in order once equal texts have
// paired. Between rows the base lacks, nothing tells a correction from a
// reminder written in the same second elsewhere, and a wrong guess loses one:
// only equal texts pair.
enum class Match { TextThenOrder, TextOnly };

// Pairs the rows of a with those of b: same stamp and equal title and
// description first, then, by TextThenOrder, the rest of a stamp in order.
// shared and sharedEnd: rows already known to be the same, byte for byte, at
// the start and at the end of both.
Pairing pair(const std::vector<QByteArrayView>& a, const std::vector<QByteArrayView>& b,
             Match match, std::size_t shared = 0, std::size_t sharedEnd = 0)
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
    // which holds the changes.
    std::size_t tail = std::min(sharedEnd, common - start);
    while (tail < common - start && sameIdentity(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;
    tailClearOfMiddle(a, b, start, tail);
    for (std::size_t t = 0; t < tail; ++t) {
        const std::size_t i = a.size() - 1 - t, j = b.size() - 1 - t;
        p.bOfA[i] = int(j);
        p.aOfB[j] = int(i);
    }
    const std::size_t aEnd = a.size() - tail, bEnd = b.size() - tail;
    if (start == aEnd || start == bEnd)
        return p;

    // Files written while the clock only moves forward have their stamps in
    // order, each once: a stamp meets at most one row on the other side, found
    // by walking both sides together.
    std::vector<QByteArrayView> sa, sb;
    if (stampsRise(a, start, aEnd, sa) && stampsRise(b, start, bEnd, sb)) {
        for (std::size_t i = 0, j = 0; i < sa.size() && j < sb.size();) {
            if (same(sa[i], sb[j])) {
                if (match == Match::TextThenOrder ||
                    same(titleAndDescription(a[start + i]), titleAndDescription(b[start + j]))) {
                    p.bOfA[start + i] = int(start + j);
                    p.aOfB[start + j] = int(start + i);
                }
                ++i;
                ++j;
            } else if (stampBefore(sa[i], sb[j])) {
                ++i;
            } else {
                ++j;
            }
        }
        return p;
    }

    const bool byOrder = match == Match::TextThenOrder;
    std::unordered_map<Key, Queue, KeyHash> byText;
    std::unordered_map<QByteArrayView, Queue, ViewHash, ViewEqual> byStamp;
    for (std::size_t i = start; i < aEnd; ++i) {
        const QByteArrayView stamp = stampOf(a[i]);
        byText[Key{stamp, titleAndDescription(a[i])}].rows.push_back(int(i));
        if (byOrder)
            byStamp[stamp].rows.push_back(int(i));
    }
    for (std::size_t j = start; j < bEnd; ++j) {
        const auto found = byText.find(Key{stampOf(b[j]), titleAndDescription(b[j])});
        if (found == byText.end() || found->second.next == found->second.rows.size())
            continue;
        const int i = found->second.rows[found->second.next++];
        p.bOfA[std::size_t(i)] = int(j);
        p.aOfB[j] = i;
    }
    for (std::size_t j = start; byOrder && j < bEnd; ++j) {
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

bool within(const QByteArray& file, QByteArrayView line)
{
    return line.data() >= file.constData() &&
           line.data() + line.size() <= file.constData() + file.size();
}

// How many rows two lists read from files begin with byte for byte, found with
// one comparison of the files rather than one a row.
std::size_t sharedStart(const RowList& a, const RowList& b)
{
    const QByteArray& fa = a.file();
    const QByteArray& fb = b.file();
    const qsizetype limit = std::min(fa.size(), fb.size());
    constexpr qsizetype kBlock = 4096;
    qsizetype same = 0;
    while (same + kBlock <= limit &&
           std::memcmp(fa.constData() + same, fb.constData() + same, kBlock) == 0)
        same += kBlock;
    while (same < limit && fa[same] == fb[same])
        ++same;
    const int rows = std::min(a.count(), b.count());
    int k = 0;
    for (; k < rows; ++k) {
        const QByteArrayView x = a.line(k), y = b.line(k);
        const qsizetype at = x.data() - fa.constData();
        // A row cleaned at load lies elsewhere; the line break must match too.
        if (!within(fa, x) || !within(fb, y) || at != y.data() - fb.constData() ||
            at + x.size() + 2 > same ||
            x.size() != y.size())
            break;
    }
    return std::size_t(k);
}

// How many rows two lists read from files end with byte for byte.
std::size_t sharedEnd(const RowList& a, const RowList& b)
{
    const QByteArray& fa = a.file();
    const QByteArray& fb = b.file();
    const qsizetype limit = std::min(fa.size(), fb.size());
    constexpr qsizetype kBlock = 4096;
    qsizetype same = 0;
    while (same + kBlock <= limit && std::memcmp(fa.constData() + fa.size() - same - kBlock,
                                                 fb.constData() + fb.size() - same - kBlock,
                                                 kBlock) == 0)
        same += kBlock;
    while (same < limit && fa[fa.size() - 1 - same] == fb[fb.size() - 1 - same])
        ++same;
    const int rows = std::min(a.count(), b.count());
    int k = 0;
    for (; k < rows; ++k) {
        const QByteArrayView x = a.line(a.count() - 1 - k), y = b.line(b.count() - 1 - k);
        const qsizetype fromEnd = fa.constData() + fa.size() - x.data();
        if (!within(fa, x) || !within(fb, y) || fromEnd > same ||
            fromEnd != fb.constData() + fb.size() - y.data() || x.size() != y.size())
            break;
    }
    return std::size_t(k);
}

std::vector<QByteArrayView> linesOf(const RowList& list)
{
    std::vector<QByteArrayView> lines(std::size_t(list.count()));
    for (int k = 0; k < list.count(); ++k)
        lines[std::size_t(k)] = list.line(k);
    return lines;
}

// Merged rows that match no input row live here until the list is assembled.
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

// Puts each addition before the first row whose stamp is later, those with
// unreadable stamps last. Taken in stamp order, each one's place depends on the
// kept rows alone: none placed before it is later than it.
std::vector<QByteArrayView> placeAdditions(std::vector<QByteArrayView> kept,
                                           const std::vector<QByteArrayView>& added,
                                           const QDate& today)
{
    if (added.empty())
        return kept;
    struct Addition {
        qint64 key;
        std::size_t order;
        QByteArrayView line;
    };
    const DueRule::Window window(today);
    std::vector<Addition> readable;
    std::vector<QByteArrayView> unreadable;
    for (std::size_t i = 0; i < added.size(); ++i) {
        const qint64 key = keyOf(stampOf(added[i]), window);
        if (key < 0)
            unreadable.push_back(added[i]);
        else
            readable.push_back({key, i, added[i]});
    }
    std::sort(readable.begin(), readable.end(), [](const Addition& x, const Addition& y) {
        return x.key != y.key ? x.key < y.key : x.order < y.order;
    });

    // The latest stamp up to each kept row, so the first later row is found by
    // bisection.
    std::vector<qint64> latest(kept.size());
    qint64 running = -1;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        running = std::max(running, keyOf(stampOf(kept[i]), window));
        latest[i] = running;
    }
    std::vector<QByteArrayView> out;
    out.reserve(kept.size() + added.size());
    std::size_t next = 0;
    for (const Addition& a : readable) {
        const auto at = std::size_t(
            std::upper_bound(latest.begin(), latest.end(), a.key) - latest.begin());
        for (; next < at; ++next)
            out.push_back(kept[next]);
        out.push_back(a.line);
    }
    for (; next < kept.size(); ++next)
        out.push_back(kept[next]);
    out.insert(out.end(), unreadable.begin(), unreadable.end());
    return out;
}

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
    int first = -1;
    for (int k = 0; k < rows.count(); ++k) {
        const QByteArrayView line = rows.line(k);
        if (line.size() <= stamp.size() || line[stamp.size()] != kSeparator ||
            !same(line.first(stamp.size()), stamp))
            continue;
        if (same(titleAndDescription(line), text))
            return k;
        if (first < 0)
            first = k;
    }
    return first;
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
    const std::vector<QByteArrayView> o = linesOf(ours), t = linesOf(theirs);
    Made made;
    std::vector<QByteArrayView> kept;
    std::vector<QByteArrayView> added;

    if (!base) {
        kept = o;
        const Pairing ot = pair(o, t, Match::TextOnly);
        for (std::size_t j = 0; j < t.size(); ++j)
            if (ot.aOfB[j] < 0)
                added.push_back(t[j]);
        return RowList::assemble(theirs.file(), placeAdditions(std::move(kept), added, today));
    }

    const std::vector<QByteArrayView> b = linesOf(*base);
    // Ours changed in place pairs by position while every row keeps its identity
    // there, which a pending status change does.
    bool followed = oursFollowsBase && o.size() == b.size();
    for (std::size_t i = 0; followed && i < b.size(); ++i)
        followed = ours.sameSpan(*base, int(i)) ||
                   (same(stampOf(o[i]), stampOf(b[i])) &&
                    same(titleAndDescription(o[i]), titleAndDescription(b[i])));
    const Pairing bo = followed ? Pairing{} : pair(b, o, Match::TextThenOrder);
    const std::size_t start = sharedStart(*base, theirs);
    const Pairing bt =
        pair(b, t, Match::TextThenOrder, start,
             std::min(sharedEnd(*base, theirs), std::min(b.size(), t.size()) - start));
    kept.reserve(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        const int oi = followed ? int(i) : bo.bOfA[i];
        const int ti = bt.bOfA[i];
        // Ours left alone: a cheap look when ours is the base changed in place.
        const bool oursSame =
            oi >= 0 && (followed ? ours.sameSpan(*base, int(i)) || same(o[i], b[i])
                                 : same(o[std::size_t(oi)], b[i]));
        if (oi >= 0 && ti >= 0) {
            kept.push_back(oursSame ? t[std::size_t(ti)]
                                    : mergeRow(b[i], o[std::size_t(oi)], t[std::size_t(ti)], made));
        } else if (oi >= 0) {
            if (!oursSame)
                kept.push_back(o[std::size_t(oi)]);
        } else if (ti >= 0) {
            if (!same(t[std::size_t(ti)], b[i]))
                kept.push_back(t[std::size_t(ti)]);
        }
    }

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
    added = oursAdded;
    for (std::size_t j = 0; j < theirsAdded.size(); ++j)
        if (both.aOfB[j] < 0)
            added.push_back(theirsAdded[j]);
    return RowList::assemble(theirs.file(), placeAdditions(std::move(kept), added, today));
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
