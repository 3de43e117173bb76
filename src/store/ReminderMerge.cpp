#include "ReminderMerge.h"

#include "DataFile.h"
#include "DueRule.h"

#include <QHash>

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

QByteArrayView stampOf(QByteArrayView line)
{
    const qsizetype at = line.indexOf(kSeparator);
    return at < 0 ? line : line.first(at);
}

// Title and description: the last two fields, side by side in the line.
QByteArrayView titleAndDescription(QByteArrayView line)
{
    qsizetype at = -1;
    for (int i = 0; i < 3; ++i) {
        at = line.indexOf(kSeparator, at + 1);
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

// Pairs the rows of a with those of b: same stamp, equal title and description
// first, then the rest in order. Returns, for each row of a, its row in b or -1,
// and the reverse.
struct Pairing {
    std::vector<int> bOfA;
    std::vector<int> aOfB;
};

Pairing pair(const std::vector<QByteArrayView>& a, const std::vector<QByteArrayView>& b)
{
    Pairing p{std::vector<int>(a.size(), -1), std::vector<int>(b.size(), -1)};
    // Lists that grew apart a little share most of their start: those rows pair
    // the same way the full rule would pair them, being the first of their key.
    std::size_t start = 0;
    const std::size_t common = std::min(a.size(), b.size());
    for (; start < common; ++start) {
        const QByteArrayView x = a[start], y = b[start];
        if (!same(x, y) && (!same(stampOf(x), stampOf(y)) ||
                            !same(titleAndDescription(x), titleAndDescription(y))))
            break;
        p.bOfA[start] = int(start);
        p.aOfB[start] = int(start);
    }
    if (start == a.size() || start == b.size())
        return p;

    std::unordered_map<Key, Queue, KeyHash> byText;
    std::unordered_map<QByteArrayView, Queue, ViewHash, ViewEqual> byStamp;
    for (std::size_t i = start; i < a.size(); ++i) {
        const QByteArrayView stamp = stampOf(a[i]);
        byText[Key{stamp, titleAndDescription(a[i])}].rows.push_back(int(i));
        byStamp[stamp].rows.push_back(int(i));
    }
    for (std::size_t j = start; j < b.size(); ++j) {
        const auto found = byText.find(Key{stampOf(b[j]), titleAndDescription(b[j])});
        if (found == byText.end() || found->second.next == found->second.rows.size())
            continue;
        const int i = found->second.rows[found->second.next++];
        p.bOfA[std::size_t(i)] = int(j);
        p.aOfB[j] = i;
    }
    for (std::size_t j = start; j < b.size(); ++j) {
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
    std::vector<Addition> readable;
    std::vector<QByteArrayView> unreadable;
    for (std::size_t i = 0; i < added.size(); ++i) {
        const qint64 key = ReminderMerge::stampKey(stampOf(added[i]), today);
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
        running = std::max(running, ReminderMerge::stampKey(stampOf(kept[i]), today));
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

int twoDigits(const char* p)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

} // namespace

namespace ReminderMerge {

qint64 stampKey(QByteArrayView stamp, const QDate& today)
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
    const int year = DueRule::yearOf(part[0], month, day, today);
    if (!QDate::isValid(year, month, day) || part[3] > 23 || part[4] > 59 || part[5] > 59)
        return -1;
    return ((((qint64(year) * 100 + month) * 100 + day) * 100 + part[3]) * 100 + part[4]) * 100 +
           part[5];
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
    const qint64 key = stampKey(stamp, today);
    if (key < 0)
        return rows.count();
    for (int k = 0; k < rows.count(); ++k)
        if (stampKey(stampOf(rows.line(k)), today) > key)
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
        const Pairing ot = pair(o, t);
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
    const Pairing bo = followed ? Pairing{} : pair(b, o);
    const Pairing bt = pair(b, t);
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

    // Added on both sides, once: ours' fields win where the two differ.
    std::vector<QByteArrayView> oursAdded, theirsAdded;
    if (!followed)
        for (std::size_t j = 0; j < o.size(); ++j)
            if (bo.aOfB[j] < 0)
                oursAdded.push_back(o[j]);
    for (std::size_t j = 0; j < t.size(); ++j)
        if (bt.aOfB[j] < 0)
            theirsAdded.push_back(t[j]);
    const Pairing both = pair(oursAdded, theirsAdded);
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
