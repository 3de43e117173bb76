#include "DueRule.h"

#include "DataFile.h"
#include "Reminder.h"
#include "RowList.h"

#include <algorithm>
#include <tuple>

QDate DueRule::dateOf(QStringView due, const QDate& today)
{
    if (due.size() != 8 || due.at(2) != u'/' || due.at(5) != u'/')
        return {};
    using DataFile::twoDigits;
    const char16_t* text = due.utf16();
    const int day = twoDigits(text), month = twoDigits(text + 3), yy = twoDigits(text + 6);
    if (day < 0 || month < 0 || yy < 0)
        return {};
    return QDate(Window(today).yearOf(yy, month, day), month, day);
}

DueRule::Window::Window(const QDate& today)
    : from_(today.year() - 50), month_(today.month()), day_(today.day())
{
}

int DueRule::Window::yearOf(int yy, int month, int day) const
{
    // The window runs from fifty years back (included) to fifty years ahead
    // (excluded). Compared as (year, month, day) so that an impossible day such
    // as 29/02 of a common year still falls in one century, and is then refused.
    int year = from_ + ((yy - from_) % 100 + 100) % 100;
    if (std::tuple(year, month, day) < std::tuple(from_, month_, day_))
        year += 100;
    return year;
}

bool DueRule::isDue(QStringView row, const QDate& today, QDate* due)
{
    // The due and status fields, found without splitting the whole row.
    const qsizetype dueAt = row.indexOf(Reminder::kFieldSep) + 1;
    if (dueAt == 0)
        return false;
    const qsizetype statusAt = row.indexOf(Reminder::kFieldSep, dueAt) + 1;
    if (statusAt > 0) {
        const qsizetype statusEnd = row.indexOf(Reminder::kFieldSep, statusAt);
        if (row.mid(statusAt, statusEnd < 0 ? -1 : statusEnd - statusAt) == Reminder::kDone)
            return false;
    }
    const QDate date = dateOf(row.mid(dueAt, statusAt > 0 ? statusAt - 1 - dueAt : -1), today);
    if (!date.isValid() || date > today)
        return false;
    if (due)
        *due = date;
    return true;
}

QList<DueRule::Item> DueRule::scan(const RowList& rows, const QDate& today)
{
    QList<Item> items;
    const int n = rows.count();
    for (int k = 0; k < n; ++k) {
        QDate due;
        if (isDue(rows.at(k), today, &due))
            items.append({due, k});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.due < b.due; });
    return items;
}
