#include "VisibleRow.h"
#include "PaperDelegate.h"
#include "Reminder.h"

#include <gtest/gtest.h>

namespace {

Reminder reminder(const QString& due, const QString& status, const QString& title)
{
    return {QStringLiteral("26.03.14.09.05.00"), due, status, title, QStringLiteral("desc")};
}

// The index read the long way round, which every row make() builds must also
// give: split at two spaces into three pieces, the third at TAB, take the fifth.
// It holds the row's layout, which reading from the end alone would not notice.
std::optional<int> indexByPieces(const QString& row)
{
    const qsizetype first = row.indexOf(QLatin1String("  "));
    const qsizetype second = row.indexOf(QLatin1String("  "), first + 2);
    const QStringList parts = row.mid(second + 2).split(u'\t');
    bool ok = false;
    const int index = parts.value(4).toInt(&ok);
    return ok ? std::optional<int>(index) : std::nullopt;
}

} // namespace

TEST(VisibleRow, openReminderShowsSixSpacesBeforeTheTitle)
{
    const QString row =
        VisibleRow::make(reminder(Reminder::kNoDue, Reminder::kOpen, QStringLiteral("Reunião")), 3);
    EXPECT_EQ(row, QStringLiteral("----/----/----      Reunião\t\t\t\t3"));
    EXPECT_EQ(PaperDelegate::shownText(row), QStringLiteral("----/----/----      Reunião"));
    EXPECT_EQ(VisibleRow::storeIndex(row), 3);
}

TEST(VisibleRow, doneReminderShowsTheMarkBetweenTwoSpaces)
{
    const QString row = VisibleRow::make(
        reminder(QStringLiteral("20/03/26"), Reminder::kDone, QStringLiteral("Pagar \"conta\"")),
        32766);
    EXPECT_EQ(row, QStringLiteral("20/03/26  \u00D7  Pagar \"conta\"\t\t\t\t32766"));
    EXPECT_EQ(VisibleRow::storeIndex(row), 32766);
}

TEST(VisibleRow, indexReadsBackWhateverTheTitleHolds)
{
    for (const QString& title : {QStringLiteral("a  b  c"), QStringLiteral("  "),
                                 QStringLiteral("12\u00A534"), QStringLiteral("x")}) {
        for (const QString& due : {Reminder::kNoDue, QStringLiteral("20/03/26")}) {
            for (const QString& status : {Reminder::kOpen, Reminder::kDone}) {
                for (int index : {0, 9, 15, 40000}) {
                    const QString row = VisibleRow::make(reminder(due, status, title), index);
                    EXPECT_EQ(VisibleRow::storeIndex(row), index) << title.toStdString();
                    EXPECT_EQ(indexByPieces(row), index) << title.toStdString();
                }
            }
        }
    }
}

TEST(VisibleRow, rowWithoutAnIndexGivesNone)
{
    EXPECT_EQ(VisibleRow::storeIndex(QString()), std::nullopt);
    EXPECT_EQ(VisibleRow::storeIndex(QStringLiteral("----/----/----      t")), std::nullopt);
    EXPECT_EQ(VisibleRow::storeIndex(QStringLiteral("d  s  t\t\t\t\t")), std::nullopt);
    EXPECT_EQ(VisibleRow::storeIndex(QStringLiteral("d  s  t\t\t\t\t-2")), std::nullopt);
}
