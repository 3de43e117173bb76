#include "ReminderMergeSteps.h"

#include "WrittenRow.h"

#include <QHash>

#include <algorithm>
#include <unordered_map>

using namespace WrittenRow;

namespace {

using ReminderMerge::ListRow;
using ReminderMerge::Match;
using ReminderMerge::Pairing;
using ReminderMerge::Shared;

// The two kinds of rows pair() reads, alike.
class ListRows {
public:
    explicit ListRows(const RowList& list) : list_(list) {}
    std::size_t size() const { return std::size_t(list_.count()); }
    QByteArrayView operator[](std::size_t k) const { return list_.line(int(k)); }

private:
    const RowList& list_;
};

class PickedRows {
public:
    explicit PickedRows(const std::vector<ListRow>& rows) : rows_(rows) {}
    std::size_t size() const { return rows_.size(); }
    QByteArrayView operator[](std::size_t k) const { return rows_[k].line(); }

private:
    const std::vector<ListRow>& rows_;
};

void join(Pairing& p, std::size_t i, std::size_t j)
{
    p.bOfA[i] = int(j);
    p.aOfB[j] = int(i);
}

// The rows of each side between those paired at the start and at the end, in order.
struct Middle {
    std::vector<std::size_t> a, b;
};

// How many rows both sides begin with, one reminder row for row. They pair as
// the rule pairs them, being the first of their stamp and texts on both sides.
template <typename Rows> std::size_t pairsAtStart(const Rows& a, const Rows& b, std::size_t known)
{
    std::size_t start = known;
    while (start < std::min(a.size(), b.size()) && sameIdentity(a[start], b[start]))
        ++start;
    return start;
}

// The same for the rows they end with, b's last `addedLast` left out.
template <typename Rows>
std::size_t pairsAtEnd(const Rows& a, const Rows& b, std::size_t start, std::size_t known,
                       std::size_t addedLast)
{
    const std::size_t bEnd = b.size() - addedLast;
    const std::size_t most = std::min(a.size(), bEnd) - start;
    std::size_t end = std::min(known, most);
    while (end < most && sameIdentity(a[a.size() - 1 - end], b[bEnd - 1 - end]))
        ++end;
    return end;
}

template <typename Rows>
Middle middleOf(const Rows& a, const Rows& b, std::size_t start, std::size_t end,
                std::size_t addedLast)
{
    Middle m;
    for (std::size_t i = start; i < a.size() - end; ++i)
        m.a.push_back(i);
    for (std::size_t j = start; j < b.size() - addedLast - end; ++j)
        m.b.push_back(j);
    for (std::size_t j = b.size() - addedLast; j < b.size(); ++j)
        m.b.push_back(j);
    return m;
}

// The end pairs row for row only while none of its stamps is in the
// middle, where the rule could pair it otherwise: this is so for every end a
// reload or a write meets, and when it is not, the end pairs as the middle does.
// End rows of none of the middle's days are passed over unread.
template <typename Rows>
bool endApartFromMiddle(const Rows& a, const Rows& b, const Middle& m, std::size_t end)
{
    std::vector<QByteArrayView> stamps;
    for (const std::size_t i : m.a)
        stamps.push_back(stampOf(a[i]));
    for (const std::size_t j : m.b)
        stamps.push_back(stampOf(b[j]));
    const auto before = [](QByteArrayView x, QByteArrayView y) { return stampOrder(x, y) < 0; };
    std::sort(stamps.begin(), stamps.end(), before);
    std::vector<quint64> days;
    bool anyShort = false;
    for (const QByteArrayView stamp : stamps) {
        days.push_back(dayWord(stamp));
        anyShort = anyShort || stamp.size() < kDaySize;
    }
    std::sort(days.begin(), days.end());
    for (std::size_t i = a.size() - end; i < a.size(); ++i) {
        if (!anyShort && !std::binary_search(days.begin(), days.end(), dayWord(a[i])))
            continue;
        if (std::binary_search(stamps.begin(), stamps.end(), stampOf(a[i]), before))
            return false;
    }
    return true;
}

struct Key {
    QByteArrayView stamp;
    QByteArrayView texts;
    bool operator==(const Key& o) const { return same(stamp, o.stamp) && same(texts, o.texts); }
};
struct KeyHash {
    std::size_t operator()(const Key& k) const
    {
        return qHashBits(k.stamp.data(), size_t(k.stamp.size()),
                         qHashBits(k.texts.data(), size_t(k.texts.size())));
    }
};

// Rows of a waiting to be paired under one key, in their order.
struct Queue {
    std::vector<std::size_t> rows;
    std::size_t next = 0;
};

// The rule itself, on the middle rows: each row of b takes the first row of a
// left under its key, stamp and texts, then, by TextThenOrder, its stamp alone.
template <typename Rows>
void pairMiddle(const Rows& a, const Rows& b, const Middle& m, Match match, Pairing& p)
{
    std::unordered_map<Key, Queue, KeyHash> byTexts;
    std::unordered_map<Key, Queue, KeyHash> byStamp;
    for (const std::size_t i : m.a) {
        byTexts[Key{stampOf(a[i]), textsOf(a[i])}].rows.push_back(i);
        if (match == Match::TextThenOrder)
            byStamp[Key{stampOf(a[i]), {}}].rows.push_back(i);
    }
    auto take = [&p](auto& queues, const Key& key) -> int {
        const auto found = queues.find(key);
        if (found == queues.end())
            return -1;
        Queue& q = found->second;
        while (q.next < q.rows.size() && p.bOfA[q.rows[q.next]] >= 0)
            ++q.next;
        return q.next < q.rows.size() ? int(q.rows[q.next++]) : -1;
    };
    for (const std::size_t j : m.b)
        if (const int i = take(byTexts, Key{stampOf(b[j]), textsOf(b[j])}); i >= 0)
            join(p, std::size_t(i), j);
    for (const std::size_t j : m.b) {
        if (match == Match::TextOnly || p.aOfB[j] >= 0)
            continue;
        if (const int i = take(byStamp, Key{stampOf(b[j]), {}}); i >= 0)
            join(p, std::size_t(i), j);
    }
}

template <typename Rows> Pairing pairRows(const Rows& a, const Rows& b, Match match, Shared known)
{
    Pairing p{std::vector<int>(a.size(), -1), std::vector<int>(b.size(), -1)};
    const std::size_t start = pairsAtStart(a, b, std::size_t(known.start));
    for (std::size_t i = 0; i < start; ++i)
        join(p, i, i);
    const std::size_t addedLast = std::min(std::size_t(known.addedLast), b.size() - start);
    std::size_t end = pairsAtEnd(a, b, start, std::size_t(known.end), addedLast);
    Middle m = middleOf(a, b, start, end, addedLast);
    if (end > 0 && !endApartFromMiddle(a, b, m, end)) {
        end = 0;
        m = middleOf(a, b, start, end, addedLast);
    }
    for (std::size_t t = 1; t <= end; ++t)
        join(p, a.size() - t, b.size() - addedLast - t);
    if (!m.a.empty() && !m.b.empty())
        pairMiddle(a, b, m, match, p);
    return p;
}

} // namespace

namespace ReminderMerge {

Pairing pair(const RowList& a, const RowList& b, Match match, Shared shared)
{
    return pairRows(ListRows(a), ListRows(b), match, shared);
}

Pairing pair(const std::vector<ListRow>& a, const std::vector<ListRow>& b, Match match)
{
    return pairRows(PickedRows(a), PickedRows(b), match, {});
}

} // namespace ReminderMerge
