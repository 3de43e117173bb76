#include "DateWords.h"
#include "DueRule.h"
#include "DueNotice.h"
#include "QtPrinters.h"
#include "ReminderStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

QString row(const QString& due, const QString& status = Reminder::kOpen,
            const QString& title = QStringLiteral("T"))
{
    return Reminder{QStringLiteral("26.01.01.08.00.00"), due, status, title, QString()}.toRow();
}

struct DueCase {
    const char* what;
    QDate today;
    QString row;
    QDate due; // invalid: not due
};

const QDate kRuleToday(2026, 12, 8);

const DueCase kDueCases[] = {
    {"today", kRuleToday, row("08/12/26"), kRuleToday},
    {"yesterday", kRuleToday, row("07/12/26"), QDate(2026, 12, 7)},
    {"tomorrow", kRuleToday, row("09/12/26"), {}},
    {"no date", kRuleToday, row(Reminder::kNoDue), {}},
    {"concluded", kRuleToday, row("07/12/26", Reminder::kDone), {}},
    {"hand-edited status counts as open", kRuleToday, row("07/12/26", "x"), QDate(2026, 12, 7)},
    {"29/02 of a leap year", QDate(2024, 3, 1), row("29/02/24"), QDate(2024, 2, 29)},
    {"29/02 of a common year", QDate(2026, 3, 1), row("29/02/26"), {}},
    {"28/02 of a common year", QDate(2026, 3, 1), row("28/02/26"), QDate(2026, 2, 28)},
    {"exactly fifty years back is the past", kRuleToday, row("08/12/76"), QDate(1976, 12, 8)},
    {"a day less than fifty years back", kRuleToday, row("09/12/76"), QDate(1976, 12, 9)},
    {"a day more than fifty years back is ahead", kRuleToday, row("07/12/76"), {}},
    {"last year of the old century", kRuleToday, row("31/12/99"), QDate(1999, 12, 31)},
    {"first day of this century", kRuleToday, row("01/01/00"), QDate(2000, 1, 1)},
    {"window across a century", QDate(2090, 1, 1), row("31/12/40"), QDate(2040, 12, 31)},
    {"window across a century, ahead", QDate(2090, 1, 1), row("31/12/39"), {}},
    {"29/02/00 read as 2100 is no date", QDate(2070, 6, 1), row("29/02/00"), {}},
    {"one-digit day", kRuleToday, row("8/12/26"), {}},
    {"other separators", kRuleToday, row("08-12-26"), {}},
    {"four-digit year", kRuleToday, row("08/12/2026"), {}},
    {"day 32", kRuleToday, row("32/12/26"), {}},
    {"day 0", kRuleToday, row("00/12/26"), {}},
    {"month 13", kRuleToday, row("08/13/26"), {}},
    {"leading space", kRuleToday, row(" 08/12/2"), {}},
    {"letters", kRuleToday, row("ab/cd/ef"), {}},
    {"other digits", kRuleToday, row(QStringLiteral("\u0660\u0668/12/26")), {}},
    {"empty due", kRuleToday, row(QString()), {}},
    {"row of one field", kRuleToday, QStringLiteral("26.01.01.08.00.00"), {}},
    {"row of two fields", kRuleToday, QStringLiteral("26.01.01.08.00.00\t07/12/26"),
     QDate(2026, 12, 7)},
};

} // namespace

TEST(DueRuleTest, dueWhenOpenAndDatedTodayOrEarlier)
{
    for (const DueCase& c : kDueCases) {
        QDate due;
        EXPECT_EQ(DueRule::isDue(c.row, c.today, &due), c.due.isValid()) << c.what;
        if (c.due.isValid()) {
            EXPECT_EQ(due, c.due) << c.what;
        }
    }
}

// A date is read in words, in the due rule's century; whatever is no date is read
// as it stands.
TEST(DueRuleTest, datesAreReadInWords)
{
    const struct {
        QString due;
        QDate today;
        QString words;
    } dues[] = {
        {Reminder::kNoDue, kRuleToday, "sem vencimento"},
        {"", kRuleToday, "sem vencimento"},
        {"20/03/26", kRuleToday, "vence em 20 de março de 2026"},
        {"01/01/00", kRuleToday, "vence em 1 de janeiro de 2000"},
        {"31/12/40", QDate(2090, 1, 1), "vence em 31 de dezembro de 2040"},
        {"31/12/39", QDate(2090, 1, 1), "vence em 31 de dezembro de 2139"},
        {"29/02/26", kRuleToday, "vence em 29/02/26"},
        {"amanhã", kRuleToday, "vence em amanhã"},
    };
    for (const auto& c : dues)
        EXPECT_EQ(DateWords::due(c.due, c.today), c.words) << c.due.toStdString();

    EXPECT_EQ(DateWords::posted("26.03.14.09.05.00", kRuleToday), "14 de março de 2026");
    EXPECT_EQ(DateWords::posted("99.12.31.23.59.59", kRuleToday), "31 de dezembro de 1999");
    EXPECT_EQ(DateWords::posted("26.02.30.09.05.00", kRuleToday), "26.02.30.09.05.00");
    EXPECT_EQ(DateWords::posted("", kRuleToday), "");
}

TEST(DueRuleTest, scanListsOldestFirstAndFileOrderAmongEquals)
{
    TempFolder folder;
    const QStringList titles = {"a", "b", "c", "d", "e", "f", "g", "h"};
    const QStringList dues = {"08/12/26",       "05/12/26", "09/12/26", "08/12/26",
                              "----/----/----", "05/12/26", "01/12/26", "02/12/26"};
    QByteArray bytes = "\"";
    for (int i = 0; i < titles.size(); ++i)
        bytes += (QStringLiteral("26.01.01.08.00.%1\xA7").arg(i, 2, 10, QChar(u'0')) + dues[i] +
                  QStringLiteral("\xA7  \xA7") + titles[i] + QStringLiteral("<&>\xA7\r\n"))
                     .toLatin1();
    folder.write(ReminderStore::kFileName, bytes + "\"\r\n");
    FixedClock clock{QDateTime(kRuleToday, QTime(9, 0))};
    ReminderStore store(folder.path(), clock);
    ASSERT_EQ(store.load(), StoreStatus::Ok);

    const QList<DueRule::Item> items = DueRule::scan(store.rows(), kRuleToday);
    QList<int> order;
    for (const DueRule::Item& item : items)
        order.append(item.row);
    EXPECT_EQ(order, (QList<int>{6, 7, 1, 5, 0, 3}));

    const DueNotice notice = DueNotice::compose(store, items, kRuleToday);
    EXPECT_EQ(notice.summary, QStringLiteral("Lembretes vencendo"));
    EXPECT_EQ(notice.lines, (QStringList{"Venceu em 01/12/26: g<&>", "Venceu em 02/12/26: h<&>",
                                         "Venceu em 05/12/26: b<&>", "Venceu em 05/12/26: f<&>",
                                         "Vence hoje: a<&>", "e mais 1"}));
    EXPECT_EQ(notice.body(true).split(u'\n').at(4), QStringLiteral("Vence hoje: a&lt;&amp;&gt;"));
    EXPECT_EQ(notice.body(), notice.lines.join(u'\n'));

    const DueNotice one = DueNotice::compose(store, items.first(1), kRuleToday);
    EXPECT_EQ(one.summary, QStringLiteral("g<&>"));
    EXPECT_EQ(one.lines, QStringList{"Venceu em 01/12/26: g<&>"});
    EXPECT_TRUE(DueNotice::compose(store, {}, kRuleToday).isEmpty());
}
