#include "ReminderMerge.h"

#include "DataFile.h"
#include "ReminderMergeSteps.h"
#include "WrittenRow.h"

using namespace WrittenRow;

namespace ReminderMerge {

namespace {

// Where the two files are known to share rows, found from their bytes at
// once rather than row by row. Reminders added last on theirs would hide the
// end both share: up to a few are set aside to find it.
Shared sharedRows(const RowList& base, const RowList& theirs)
{
    constexpr int kAddedLastLookedPast = 4;
    Shared shared;
    shared.start = base.sharedStart(theirs);
    shared.end = base.sharedEnd(theirs, 0, shared.start);
    for (int added = 1;
         shared.end == 0 && shared.start < base.count() && added <= kAddedLastLookedPast; ++added) {
        shared.end = base.sharedEnd(theirs, added, shared.start);
        shared.addedLast = shared.end > 0 ? added : 0;
    }
    return shared;
}

// Ours is mostly the base with a few status changes set in place: then every
// row keeps its place and pairs by position, and only the rows changed are
// read. Spares pairing the whole list at each reload.
bool keepsEveryPlace(const RowList& base, const RowList& ours)
{
    if (ours.count() != base.count())
        return false;
    for (const int k : ours.rowsChangedFrom(base))
        if (!sameIdentity(ours.line(k), base.line(k)))
            return false;
    return true;
}

Pairing pairWithOurs(const RowList& base, const RowList& ours)
{
    if (!keepsEveryPlace(base, ours))
        return pair(base, ours, Match::TextThenOrder);
    Pairing inPlace;
    inPlace.rowForRow = true;
    return inPlace;
}

// The rows of list that pair with none of the other list's, in their order.
std::vector<ListRow> unpaired(const RowList& list, const Pairing& withOther)
{
    std::vector<ListRow> rows;
    if (withOther.rowForRow)
        return rows;
    for (int j = 0, count = list.count(); j < count; ++j)
        if (withOther.ofB(std::size_t(j)) < 0)
            rows.push_back({&list, j});
    return rows;
}

// Added on both sides, once: ours' fields win where the two differ (status and
// due; their texts are equal).
std::vector<ListRow> addedOnEither(std::vector<ListRow> ours, const std::vector<ListRow>& theirs)
{
    const Pairing both = pair(ours, theirs, Match::TextOnly);
    for (std::size_t j = 0; j < theirs.size(); ++j)
        if (both.ofB(j) < 0)
            ours.push_back(theirs[j]);
    return ours;
}

// Field by field: a field ours changed is ours, otherwise theirs.
QByteArray fieldByField(QByteArrayView base, QByteArrayView ours, QByteArrayView theirs)
{
    const Fields b = fieldsOf(base), o = fieldsOf(ours), t = fieldsOf(theirs);
    QByteArray line;
    line.reserve(ours.size() + theirs.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i > 0)
            line.append(DataFile::kSeparator);
        line.append(same(o[i], b[i]) ? t[i] : o[i]);
    }
    return line;
}

// What a base row leaves in the merged list, given its rows on each side (-1
// where that side deleted it): the fields each side changed, and a change
// rather than a deletion.
void keepMerged(Placing& out, const RowList& base, int i, const RowList& ours, int o,
                const RowList& theirs, int t)
{
    // Most rows of ours are the base's own bytes, known unchanged unread.
    const bool oursChanged =
        o >= 0 && !ours.isCopyOf(o, base, i) && !same(ours.line(o), base.line(i));
    if (o >= 0 && t >= 0) {
        if (!oursChanged || same(ours.line(o), theirs.line(t)))
            out.keep(theirs, t);
        else if (same(theirs.line(t), base.line(i)))
            out.keep(ours, o);
        else
            out.keep(fieldByField(base.line(i), ours.line(o), theirs.line(t)));
    } else if (oursChanged) {
        out.keep(ours, o);
    } else if (t >= 0 && !same(theirs.line(t), base.line(i))) {
        out.keep(theirs, t);
    }
}

// Without a base: every row of ours as it is, and theirs' rows that ours lacks.
RowList unionOf(const RowList& ours, const RowList& theirs, const QDate& today)
{
    const Pairing withOurs = pair(ours, theirs, Match::TextOnly);
    Placing out(unpaired(theirs, withOurs), today, theirs, std::size_t(ours.count()));
    for (int k = 0; k < ours.count(); ++k)
        out.keep(ours, k);
    return out.take();
}

} // namespace

RowList merge(const RowList* base, const RowList& ours, const RowList& theirs, const QDate& today)
{
    if (!base)
        return unionOf(ours, theirs, today);
    const Pairing withOurs = pairWithOurs(*base, ours);
    const Pairing withTheirs = pair(*base, theirs, Match::TextThenOrder, sharedRows(*base, theirs));
    Placing out(addedOnEither(unpaired(ours, withOurs), unpaired(theirs, withTheirs)), today,
                theirs, std::size_t(base->count()));
    for (int i = 0, rows = base->count(); i < rows; ++i)
        keepMerged(out, *base, i, ours, withOurs.ofA(std::size_t(i)), theirs,
                   withTheirs.ofA(std::size_t(i)));
    return out.take();
}

int find(const RowList& rows, const Reminder& r, int hint)
{
    const QByteArray target = DataFile::writtenForm(r.toRow());
    if (hint >= 0 && hint < rows.count() && same(rows.line(hint), target))
        return hint;
    const QByteArrayView stamp = stampOf(target), texts = textsOf(target);
    const quint64 day = dayWord(stamp);
    int only = -1;
    bool several = false;
    for (int k = 0; k < rows.count(); ++k) {
        const QByteArrayView line = rows.line(k);
        if (line.size() <= stamp.size() || !mayHaveStamp(line, day) || !stampIs(line, stamp))
            continue;
        if (same(textsOf(line), texts))
            return k;
        several = several || only >= 0;
        if (only < 0)
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

} // namespace ReminderMerge
