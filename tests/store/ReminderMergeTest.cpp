#include "ReminderMerge.h"
#include "DataFile.h"
#include "QtPrinters.h"
#include "ReminderMergeSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace {

const QDate kToday(2026, 3, 14);

// The merge on rows as texts: each list written as a file, merged, read back.
QStringList mergedTexts(const std::optional<QStringList>& base, const QStringList& ours,
                        const QStringList& theirs)
{
    const RowList b = RowList::fromFile(DataFile::serialize(base.value_or(QStringList())));
    const RowList m =
        ReminderMerge::merge(base ? &b : nullptr, RowList::fromFile(DataFile::serialize(ours)),
                             RowList::fromFile(DataFile::serialize(theirs)), kToday);
    QStringList rows;
    for (int k = 0; k < m.count(); ++k)
        rows.append(m.at(k));
    return rows;
}

// A reminder stamped at 10:00 on a day of January 2026, or with the stamp given.
QString r(int day, const QString& title, const QString& status = Reminder::kOpen,
          const QString& due = Reminder::kNoDue, const QString& description = QString())
{
    return Reminder{QStringLiteral("26.01.%1.10.00.00").arg(day, 2, 10, QChar(u'0')), due, status,
                    title, description}
        .toRow();
}
QString stamped(const QString& stamp, const QString& title)
{
    return Reminder{stamp, Reminder::kNoDue, Reminder::kOpen, title, QString()}.toRow();
}

const QString x = Reminder::kDone;

struct MergeCase {
    const char* what;
    std::optional<QStringList> base;
    QStringList ours;
    QStringList theirs;
    QStringList merged;
};

// Each expected list is exact, order included: both computers must write the
// same bytes from the same three lists.
const MergeCase kCases[] = {
    {"nothing changed",
     QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")}},
    {"added on each side, placed by stamp",
     QStringList{r(1, "A"), r(5, "E")},
     {r(1, "A"), r(5, "E"), r(3, "C")},
     {r(1, "A"), r(2, "B"), r(5, "E")},
     {r(1, "A"), r(2, "B"), r(3, "C"), r(5, "E")}},
    {"added on both sides, once, ours' fields",
     QStringList{r(1, "A")},
     {r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B", x)},
     {r(1, "A"), r(2, "B")}},
    {"deleted on theirs, unchanged on ours",
     QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")},
     {r(1, "A")},
     {r(1, "A")}},
    {"deleted on ours, unchanged on theirs",
     QStringList{r(1, "A"), r(2, "B")},
     {r(2, "B")},
     {r(1, "A"), r(2, "B")},
     {r(2, "B")}},
    {"deleted on theirs, toggled on ours: stays toggled",
     QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B", x)},
     {r(1, "A")},
     {r(1, "A"), r(2, "B", x)}},
    {"deleted on ours, corrected on theirs: stays corrected",
     QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A")},
     {r(1, "A"), r(2, "B", Reminder::kOpen, "20/03/26")},
     {r(1, "A"), r(2, "B", Reminder::kOpen, "20/03/26")}},
    {"toggled on theirs",
     QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")},
     {r(1, "A", x), r(2, "B")},
     {r(1, "A", x), r(2, "B")}},
    {"toggled on ours, title and due corrected on theirs: both",
     QStringList{r(1, "A")},
     {r(1, "A", x)},
     {r(1, "Novo", Reminder::kOpen, "20/03/26")},
     {r(1, "Novo", x, "20/03/26")}},
    {"both correct the title: ours",
     QStringList{r(1, "A", Reminder::kOpen, "20/03/26")},
     {r(1, "Nosso")},
     {r(1, "Deles", x, "20/03/26")},
     {r(1, "Nosso", x)}},
    {"both toggle alike", QStringList{r(1, "A")}, {r(1, "A", x)}, {r(1, "A", x)}, {r(1, "A", x)}},
    {"shared stamp, moved on theirs: paired by title",
     QStringList{r(1, "A"), r(1, "B")},
     {r(1, "A"), r(1, "B", x)},
     {r(1, "B"), r(1, "A", x)},
     {r(1, "A", x), r(1, "B", x)}},
    {"shared stamp, titles corrected: the rest paired in order",
     QStringList{r(1, "A"), r(1, "B"), r(1, "C")},
     {r(1, "A", x), r(1, "B"), r(1, "C")},
     {r(1, "C"), r(1, "A2"), r(1, "B2")},
     {r(1, "A2", x), r(1, "B2"), r(1, "C")}},
    {"unreadable stamps: kept in place in the base, added last in their order",
     QStringList{stamped("x", "A"), r(5, "E")},
     {stamped("x", "A"), r(5, "E")},
     {stamped("zz", "Z"), stamped("x", "A"), r(5, "E"), r(3, "C"),
      stamped("26.02.30.10.00.00", "Y")},
     {stamped("x", "A"), r(3, "C"), r(5, "E"), stamped("zz", "Z"),
      stamped("26.02.30.10.00.00", "Y")}},
    {"two-digit years in the due rule's window",
     QStringList{stamped("99.12.31.10.00.00", "A")},
     {stamped("99.12.31.10.00.00", "A")},
     {stamped("99.12.31.10.00.00", "A"), stamped("26.01.01.10.00.00", "C"),
      stamped("00.01.01.10.00.00", "B")},
     {stamped("99.12.31.10.00.00", "A"), stamped("00.01.01.10.00.00", "B"),
      stamped("26.01.01.10.00.00", "C")}},
    {"no base: every row of ours as it is, theirs' missing ones added, deletions back, and "
     "a title corrected on one side alone as a second row",
     std::nullopt,
     {r(1, "A", x), r(3, "C")},
     {r(1, "A2", Reminder::kOpen, "20/03/26"), r(2, "B"), r(3, "C", Reminder::kOpen, "20/03/26")},
     {r(1, "A", x), r(1, "A2", Reminder::kOpen, "20/03/26"), r(2, "B"), r(3, "C")}},
    {"no base: the same second on each side, another title or description, all kept",
     std::nullopt,
     {r(1, "A"), r(3, "C", x, Reminder::kNoDue, "d"), stamped("26.12.08.10.00.00", "Feito aqui")},
     {r(1, "A"), r(3, "C", x, Reminder::kNoDue, "e"), stamped("26.12.08.10.00.00", "Feito lá")},
     {r(1, "A"), r(3, "C", x, Reminder::kNoDue, "d"), r(3, "C", x, Reminder::kNoDue, "e"),
      stamped("26.12.08.10.00.00", "Feito aqui"), stamped("26.12.08.10.00.00", "Feito lá")}},
    {"added on both sides in the same second, other titles: both",
     QStringList{r(1, "A")},
     {r(1, "A"), r(2, "B"), r(4, "D")},
     {r(1, "A"), r(2, "C"), r(4, "D", x)},
     {r(1, "A"), r(2, "B"), r(2, "C"), r(4, "D")}},
    {"added on both sides, a stamp twice on ours: only equal texts pair",
     QStringList{r(1, "A")},
     {r(1, "A"), r(2, "B"), r(2, "B")},
     {r(1, "A"), r(2, "C"), r(2, "B", x)},
     {r(1, "A"), r(2, "B"), r(2, "B"), r(2, "C")}},
};

} // namespace

TEST(ReminderMerge, followsTheRuleForEveryCase)
{
    for (const MergeCase& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(mergedTexts(c.base, c.ours, c.theirs), c.merged);
    }
}

// The store's own form: ours changed in place pairs by position, and rows not
// touched keep their place in the file read.
TEST(ReminderMerge, listsChangedInPlaceMergeAsTheRowsDo)
{
    for (const MergeCase& c : kCases) {
        if (!c.base || c.base->size() != c.ours.size())
            continue;
        SCOPED_TRACE(c.what);
        const RowList base = RowList::fromFile(DataFile::serialize(*c.base));
        RowList ours = base;
        for (int k = 0; k < ours.count(); ++k)
            if (c.ours.at(k) != base.at(k))
                ours.set(k, c.ours.at(k));
        const RowList theirs = RowList::fromFile(DataFile::serialize(c.theirs));
        const RowList merged = ReminderMerge::merge(&base, ours, theirs, kToday);
        QStringList rows;
        for (int k = 0; k < merged.count(); ++k)
            rows << merged.at(k);
        EXPECT_EQ(rows, mergedTexts(c.base, c.ours, c.theirs));
    }
}

// A reminder is found by its stamp whatever the stamp's length, and among rows
// of one stamp by its texts; rows of one day differ past their first bytes.
TEST(ReminderMerge, findsAReminderByStampThenTexts)
{
    const QStringList rows{stamped("x", "A"),
                           stamped("26.01.01.10.00.00", "A"),
                           stamped("26.01.01.10.00.01", "A"),
                           stamped("26.01.01.10.00.01", "B"),
                           stamped("26.01.01.10.00.01x", "A"),
                           stamped("26.01.0", "A")};
    const RowList list = RowList::fromFile(DataFile::serialize(rows));
    for (int k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(rows[k].toStdString());
        EXPECT_EQ(ReminderMerge::find(list, Reminder::fromRow(rows[k])), k);
    }
    // One of its second whose texts changed is taken; of two, neither.
    EXPECT_EQ(ReminderMerge::find(list, Reminder::fromRow(stamped("26.01.01.10.00.00", "Z"))), 1);
    EXPECT_EQ(ReminderMerge::find(list, Reminder::fromRow(stamped("26.01.01.10.00.01", "Z"))), -1);
    EXPECT_EQ(ReminderMerge::find(list, Reminder::fromRow(stamped("26.01.01.10.00.02", "A"))), -1);
}

// ---- the fast paths against the rule written plainly ----

namespace {

QStringList fields(const QString& row)
{
    return row.split(u'\t');
}

// The rule's pairing, one row at a time: same stamp, equal title and
// description first, then, against a base, the rest in order.
std::vector<int> plainPairing(const QStringList& a, const QStringList& b, bool againstBase)
{
    std::vector<int> aOfB(std::size_t(b.size()), -1);
    std::vector<bool> taken(std::size_t(a.size()), false);
    for (int pass = 0; pass < (againstBase ? 2 : 1); ++pass) {
        for (int j = 0; j < b.size(); ++j) {
            if (aOfB[std::size_t(j)] >= 0)
                continue;
            const QStringList y = fields(b[j]);
            for (int i = 0; i < a.size(); ++i) {
                const QStringList x = fields(a[i]);
                if (taken[std::size_t(i)] || x[0] != y[0] ||
                    (pass == 0 && (x[3] != y[3] || x[4] != y[4])))
                    continue;
                taken[std::size_t(i)] = true;
                aOfB[std::size_t(j)] = i;
                break;
            }
        }
    }
    return aOfB;
}

QStringList plainMerge(const std::optional<QStringList>& base, const QStringList& ours,
                       const QStringList& theirs)
{
    QStringList kept, added;
    if (!base) {
        kept = ours;
        const std::vector<int> ot = plainPairing(ours, theirs, false);
        for (int j = 0; j < theirs.size(); ++j)
            if (ot[std::size_t(j)] < 0)
                added << theirs[j];
    } else {
        const std::vector<int> bo = plainPairing(*base, ours, true),
                               bt = plainPairing(*base, theirs, true);
        auto partner = [](const std::vector<int>& of, int i) {
            const auto at = std::find(of.begin(), of.end(), i);
            return at == of.end() ? -1 : int(at - of.begin());
        };
        for (int i = 0; i < base->size(); ++i) {
            const int o = partner(bo, i), t = partner(bt, i);
            const QString& b = base->at(i);
            if (o >= 0 && t >= 0) {
                const QStringList bf = fields(b), of = fields(ours[o]), tf = fields(theirs[t]);
                QStringList row;
                for (int f = 0; f < 5; ++f)
                    row << (of[f] != bf[f] ? of[f] : tf[f]);
                kept << row.join(u'\t');
            } else if (o >= 0 && ours[o] != b) {
                kept << ours[o];
            } else if (t >= 0 && theirs[t] != b) {
                kept << theirs[t];
            }
        }
        QStringList oursAdded, theirsAdded;
        for (int j = 0; j < ours.size(); ++j)
            if (bo[std::size_t(j)] < 0)
                oursAdded << ours[j];
        for (int j = 0; j < theirs.size(); ++j)
            if (bt[std::size_t(j)] < 0)
                theirsAdded << theirs[j];
        const std::vector<int> both = plainPairing(oursAdded, theirsAdded, false);
        added = oursAdded;
        for (int j = 0; j < theirsAdded.size(); ++j)
            if (both[std::size_t(j)] < 0)
                added << theirsAdded[j];
    }
    // One at a time in stamp order, each before the first later row.
    auto key = [](const QString& row) {
        return ReminderMerge::keyOf(fields(row)[0].toLatin1(), DueRule::Window(kToday));
    };
    QStringList readable, unreadable;
    for (const QString& row : added)
        (key(row) < 0 ? unreadable : readable) << row;
    std::stable_sort(readable.begin(), readable.end(),
                     [&](const QString& x, const QString& y) { return key(x) < key(y); });
    for (const QString& row : readable) {
        qsizetype at = 0;
        while (at < kept.size() && key(kept[at]) <= key(row))
            ++at;
        kept.insert(at, row);
    }
    return kept + unreadable;
}

// Bytes a hand edit might leave, each so far from the end of a file.
template <typename Pick> std::vector<std::pair<int, char>> strays(Pick& pick)
{
    static const char kStray[] = {'"', '\r', '\n', ' ', '\t', '\xA7', 'x'};
    std::vector<std::pair<int, char>> out;
    for (int n = pick(2) ? 0 : pick(4); n > 0; --n)
        out.emplace_back(pick(600), kStray[pick(int(std::size(kStray)))]);
    return out;
}

QByteArray strayed(QByteArray file, const std::vector<std::pair<int, char>>& strays)
{
    for (const auto& [fromEnd, byte] : strays)
        file.insert(std::max<qsizetype>(0, file.size() - fromEnd), byte);
    return file;
}

QList<QByteArray> lines(const RowList& rows)
{
    QList<QByteArray> out;
    for (int k = 0; k < rows.count(); ++k)
        out << rows.line(k).toByteArray();
    return out;
}

} // namespace

// Lists with long shared starts and ends, ordered or not, stamps shared or not
// (additions on both sides often in the same second), changed on each side in
// every way: the merge gives what the rule gives.
TEST(ReminderMerge, givesWhatTheRuleGivesOnRandomLists)
{
    std::mt19937 random(20261208);
    auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    // Some on either side of the two-digit years' turn (2076 and 1976 from
    // today's window), or no date at all.
    const QString stamps[] = {
        "26.01.01.10.00.00", "26.01.02.10.00.00", "26.01.03.10.00.00", "99.12.31.10.00.00", "x",
        "76.03.13.10.00.00", "76.03.15.10.00.00", "26.02.30.10.00.00"};
    const QString titles[] = {"A", "B", "C"};
    const QString descriptions[] = {"", "d"};
    auto fresh = [&](bool ordered, int i) {
        const QString stamp = ordered ? QStringLiteral("25.%1.10.00.00")
                                            .arg(QDate(2025, 1, 1).addDays(i).toString("MM.dd"))
                                      : stamps[pick(int(std::size(stamps)))];
        return Reminder{stamp, pick(2) ? Reminder::kNoDue : QStringLiteral("20/03/26"),
                        pick(2) ? Reminder::kOpen : Reminder::kDone, titles[pick(3)],
                        descriptions[pick(2)]}
            .toRow();
    };
    auto changed = [&](QStringList rows, bool ordered) {
        for (int edits = pick(4); edits > 0; --edits) {
            const int at = rows.isEmpty() ? 0 : pick(int(rows.size()));
            switch (pick(4)) {
            case 0:
                if (!rows.isEmpty())
                    rows.removeAt(at);
                break;
            case 1:
                // Last, where the clock puts it, or anywhere.
                rows.insert(pick(2) ? int(rows.size()) : at, fresh(ordered, 300 + pick(6)));
                break;
            default:
                if (!rows.isEmpty()) {
                    Reminder r = Reminder::fromRow(rows[at]);
                    switch (pick(3)) {
                    case 0:
                        r.status = Reminder::kDone;
                        break;
                    case 1:
                        r.title = titles[pick(3)];
                        break;
                    default:
                        r.description = descriptions[pick(2)];
                    }
                    rows[at] = r.toRow();
                }
            }
        }
        return rows;
    };
    for (int round = 0; round < 1000; ++round) {
        const bool ordered = pick(2);
        QStringList base;
        const int length = pick(3) ? pick(8) : 40;
        for (int i = 0; i < length; ++i)
            base << fresh(ordered, i * 4);
        const QStringList ours = changed(base, ordered), theirs = changed(base, ordered);
        SCOPED_TRACE(round);
        const std::optional<QStringList> b = pick(5) ? std::optional(base) : std::nullopt;
        ASSERT_EQ(mergedTexts(b, ours, theirs), plainMerge(b, ours, theirs))
            << "base " << (b ? b->join(" | ").toStdString() : "none") << "\nours "
            << ours.join(" | ").toStdString() << "\ntheirs " << theirs.join(" | ").toStdString();
        // The same with ours in the base's own bytes wherever a row of it is one
        // of the base's, as the store holds its list: rows then pass unread.
        if (b) {
            const RowList baseRows = RowList::fromFile(DataFile::serialize(base));
            RowList::Builder inBase(baseRows.file(), std::size_t(ours.size()));
            for (const QString& row : ours) {
                // Of the base's rows with its bytes, any: duplicates lie apart.
                const QByteArray line = DataFile::writtenForm(row);
                std::vector<int> alike;
                for (int k = 0; k < baseRows.count(); ++k)
                    if (baseRows.line(k) == line)
                        alike.push_back(k);
                if (alike.empty())
                    inBase.add(line);
                else
                    inBase.add(baseRows, alike[std::size_t(round) % alike.size()]);
            }
            const RowList merged = ReminderMerge::merge(
                &baseRows, inBase.take(), RowList::fromFile(DataFile::serialize(theirs)), kToday);
            QStringList rows;
            for (int k = 0; k < merged.count(); ++k)
                rows << merged.at(k);
            ASSERT_EQ(rows, plainMerge(b, ours, theirs));
        }

        // A reload reads theirs' file next to the base's, written or read, even
        // with stray bytes of a hand edit in either: it gives what reading it
        // alone gives.
        const auto both = strays(pick);
        const QByteArray baseFile = strayed(DataFile::serialize(base, pick(2)), both);
        const QByteArray theirsFile =
            strayed(strayed(DataFile::serialize(theirs, pick(2)), both), strays(pick));
        const RowList read = RowList::fromFile(baseFile);
        ASSERT_EQ(lines(RowList::fromFile(theirsFile, pick(2) ? read : read.saved())),
                  lines(RowList::fromFile(theirsFile)))
            << "base " << baseFile.toStdString() << "\ntheirs " << theirsFile.toStdString();
    }
}
