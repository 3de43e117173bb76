#include "QtPrinters.h"
#include "DataFile.h"
#include "ReminderMerge.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const QDate kToday(2026, 3, 14);

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
    {"nothing changed", QStringList{r(1, "A"), r(2, "B")}, {r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")}, {r(1, "A"), r(2, "B")}},
    {"added on each side, placed by stamp", QStringList{r(1, "A"), r(5, "E")},
     {r(1, "A"), r(5, "E"), r(3, "C")}, {r(1, "A"), r(2, "B"), r(5, "E")},
     {r(1, "A"), r(2, "B"), r(3, "C"), r(5, "E")}},
    {"added on both sides, once, ours' fields", QStringList{r(1, "A")}, {r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B", x)}, {r(1, "A"), r(2, "B")}},
    {"deleted on theirs, unchanged on ours", QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B")}, {r(1, "A")}, {r(1, "A")}},
    {"deleted on ours, unchanged on theirs", QStringList{r(1, "A"), r(2, "B")}, {r(2, "B")},
     {r(1, "A"), r(2, "B")}, {r(2, "B")}},
    {"deleted on theirs, toggled on ours: stays toggled", QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A"), r(2, "B", x)}, {r(1, "A")}, {r(1, "A"), r(2, "B", x)}},
    {"deleted on ours, corrected on theirs: stays corrected", QStringList{r(1, "A"), r(2, "B")},
     {r(1, "A")}, {r(1, "A"), r(2, "B", Reminder::kOpen, "20/03/26")},
     {r(1, "A"), r(2, "B", Reminder::kOpen, "20/03/26")}},
    {"toggled on theirs", QStringList{r(1, "A"), r(2, "B")}, {r(1, "A"), r(2, "B")},
     {r(1, "A", x), r(2, "B")}, {r(1, "A", x), r(2, "B")}},
    {"toggled on ours, title and due corrected on theirs: both", QStringList{r(1, "A")},
     {r(1, "A", x)}, {r(1, "Novo", Reminder::kOpen, "20/03/26")},
     {r(1, "Novo", x, "20/03/26")}},
    {"both correct the title: ours", QStringList{r(1, "A", Reminder::kOpen, "20/03/26")},
     {r(1, "Nosso")}, {r(1, "Deles", x, "20/03/26")}, {r(1, "Nosso", x)}},
    {"both toggle alike", QStringList{r(1, "A")}, {r(1, "A", x)}, {r(1, "A", x)}, {r(1, "A", x)}},
    {"shared stamp, moved on theirs: paired by title",
     QStringList{r(1, "A"), r(1, "B")}, {r(1, "A"), r(1, "B", x)}, {r(1, "B"), r(1, "A", x)},
     {r(1, "A", x), r(1, "B", x)}},
    {"shared stamp, titles corrected: the rest paired in order",
     QStringList{r(1, "A"), r(1, "B"), r(1, "C")}, {r(1, "A", x), r(1, "B"), r(1, "C")},
     {r(1, "C"), r(1, "A2"), r(1, "B2")}, {r(1, "A2", x), r(1, "B2"), r(1, "C")}},
    {"unreadable stamps: kept in place in the base, added last in their order",
     QStringList{stamped("x", "A"), r(5, "E")}, {stamped("x", "A"), r(5, "E")},
     {stamped("zz", "Z"), stamped("x", "A"), r(5, "E"), r(3, "C"),
      stamped("26.02.30.10.00.00", "Y")},
     {stamped("x", "A"), r(3, "C"), r(5, "E"), stamped("zz", "Z"),
      stamped("26.02.30.10.00.00", "Y")}},
    {"two-digit years in the due rule's window", QStringList{stamped("99.12.31.10.00.00", "A")},
     {stamped("99.12.31.10.00.00", "A")},
     {stamped("99.12.31.10.00.00", "A"), stamped("26.01.01.10.00.00", "C"),
      stamped("00.01.01.10.00.00", "B")},
     {stamped("99.12.31.10.00.00", "A"), stamped("00.01.01.10.00.00", "B"),
      stamped("26.01.01.10.00.00", "C")}},
    {"no base: every row of ours as it is, theirs' missing ones added, deletions back",
     std::nullopt, {r(1, "A", x), r(3, "C")}, {r(1, "A2", Reminder::kOpen, "20/03/26"), r(2, "B")},
     {r(1, "A", x), r(2, "B"), r(3, "C")}},
};

} // namespace

TEST(ReminderMerge, followsTheRuleForEveryCase)
{
    for (const MergeCase& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReminderMerge::merge(c.base, c.ours, c.theirs, kToday), c.merged);
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
        const RowList merged = ReminderMerge::merge(&base, ours, theirs, kToday, true);
        QStringList rows;
        for (int k = 0; k < merged.count(); ++k)
            rows << merged.at(k);
        EXPECT_EQ(rows, ReminderMerge::merge(c.base, c.ours, c.theirs, kToday));
    }
}
