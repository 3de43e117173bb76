#include "Calendario.h"
#include "Clock.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QDateTime at(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0));
}

int cellOfDay(const Calendario& cal, int day)
{
    for (int i = 0; i < Calendario::kCasas; ++i)
        if (cal.casa(i).texto == QStringLiteral(" %1").arg(day))
            return i;
    return -1;
}

QList<int> opaqueCells(const Calendario& cal)
{
    QList<int> cells;
    for (int i = 0; i < Calendario::kCasas; ++i)
        if (cal.casa(i).opaca)
            cells.append(i);
    return cells;
}

void stepTo(Calendario& cal, int year, int month)
{
    while (cal.anoExibido() * 12 + cal.mesExibido() > year * 12 + month) {
        ASSERT_TRUE(cal.mesAnterior());
    }
    while (cal.anoExibido() * 12 + cal.mesExibido() < year * 12 + month) {
        ASSERT_TRUE(cal.proximoMes());
    }
}

} // namespace

// Every month the buttons can reach, stepped through one by one and compared with
// a table made by Python's calendar module.
TEST(Calendario, everyReachableMonthMatchesTheReference)
{
    QFile file(QStringLiteral(QR_TEST_DATA "/months_1753_2078.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    FixedClock clock(at(1753, 1, 15));
    Calendario cal(clock);
    int months = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'#'))
            continue;
        const QStringList parts = line.split(u' ');
        ASSERT_EQ(parts.size(), 13);
        const int year = parts[0].toInt();
        for (int month = 1; month <= 12; ++month) {
            if (months > 0) {
                ASSERT_TRUE(cal.proximoMes());
            }
            ASSERT_EQ(cal.anoExibido(), year);
            ASSERT_EQ(cal.mesExibido(), month);
            const QStringList ref = parts[month].split(u':');
            const int firstWeekday = ref[0].toInt();
            const int days = ref[1].toInt();
            ASSERT_EQ(cal.primeiroDiaSemana(), firstWeekday) << year << "-" << month;
            ASSERT_EQ(cal.diasNoMes(), days) << year << "-" << month;
            // The grid: blanks before day 1 (Sunday first), the days, blanks after.
            for (int i = 0; i < Calendario::kCasas; ++i) {
                const int day = i - firstWeekday + 2;
                const QString expected =
                    day >= 1 && day <= days ? QStringLiteral(" %1").arg(day) : QStringLiteral(" ");
                ASSERT_EQ(cal.casa(i).texto, expected) << year << "-" << month << " cell " << i;
            }
            ++months;
        }
    }
    EXPECT_EQ(months, (2078 - 1753 + 1) * 12);
    EXPECT_FALSE(cal.proximoMes());
}

TEST(Calendario, februaryFollowsTheGregorianLeapRule)
{
    const auto february = [](int year) {
        FixedClock clock(at(year, 2, 10));
        return Calendario(clock).diasNoMes();
    };
    EXPECT_EQ(february(1900), 28);
    EXPECT_EQ(february(2000), 29);
    EXPECT_EQ(february(2024), 29);
    EXPECT_EQ(february(2023), 28);
}

TEST(Calendario, titleHasThePortugueseNameAndTwoSpaces)
{
    FixedClock clock(at(2025, 12, 6));
    Calendario cal(clock);
    EXPECT_EQ(cal.titulo(), QStringLiteral("Dezembro  2025"));
    ASSERT_TRUE(cal.proximoMes());
    EXPECT_EQ(cal.titulo(), QStringLiteral("Janeiro  2026"));
    ASSERT_TRUE(cal.proximoMes());
    ASSERT_TRUE(cal.proximoMes());
    EXPECT_EQ(cal.titulo(), QStringLiteral("Março  2026"));
    const QStringList names = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                               "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(Calendario::nomeDoMes(m), names[m - 1]);
}

TEST(Calendario, navigationStopsAtTheEndsOfTheRange)
{
    FixedClock clock(at(1753, 1, 10));
    Calendario cal(clock);
    EXPECT_FALSE(cal.mesAnterior());
    EXPECT_EQ(cal.mesExibido(), 1);
    EXPECT_EQ(cal.anoExibido(), 1753);

    clock.set(at(2078, 12, 10));
    cal.mostraMesAtual();
    EXPECT_FALSE(cal.proximoMes());
    EXPECT_EQ(cal.titulo(), QStringLiteral("Dezembro  2078"));
    EXPECT_TRUE(cal.mesAnterior());
    EXPECT_EQ(cal.titulo(), QStringLiteral("Novembro  2078"));
}

TEST(Calendario, todayIsLightBlueOnlyInTodaysMonth)
{
    FixedClock clock(at(2026, 3, 5));
    Calendario cal(clock);
    const int today = cellOfDay(cal, 5);
    EXPECT_EQ(today, 4); // March 2026 starts on a Sunday
    EXPECT_EQ(opaqueCells(cal), QList<int>{today});
    EXPECT_EQ(cal.casa(today).fundo, QColor(166, 213, 255));

    ASSERT_TRUE(cal.proximoMes());
    EXPECT_TRUE(opaqueCells(cal).isEmpty());
    ASSERT_TRUE(cal.proximoMes());
    ASSERT_TRUE(cal.mesAnterior());
    ASSERT_TRUE(cal.mesAnterior());
    EXPECT_EQ(opaqueCells(cal), QList<int>{today});

    clock.set(at(2027, 3, 5)); // same month, another year
    ASSERT_TRUE(cal.proximoMes());
    ASSERT_TRUE(cal.mesAnterior());
    EXPECT_TRUE(opaqueCells(cal).isEmpty());
    cal.mostraMesAtual();
    EXPECT_EQ(cal.titulo(), QStringLiteral("Março  2027"));
    EXPECT_EQ(opaqueCells(cal), QList<int>{cellOfDay(cal, 5)});
}

TEST(Calendario, pickedDaysGiveTheirDates)
{
    FixedClock clock(at(2026, 3, 20));
    Calendario cal(clock);
    EXPECT_EQ(cal.escreveTexto(cellOfDay(cal, 5)), QStringLiteral("05/03/26"));

    stepTo(cal, 2078, 12);
    EXPECT_EQ(cal.escreveTexto(cellOfDay(cal, 12)), QStringLiteral("12/12/78"));

    stepTo(cal, 1753, 1);
    const auto january = cal.escreveTexto(cellOfDay(cal, 31));
    ASSERT_TRUE(january);
    EXPECT_EQ(*january, QStringLiteral("31/01/53"));

    EXPECT_EQ(cal.escreveTexto(0), std::nullopt); // 1 January 1753 was a Monday
    EXPECT_EQ(cal.escreveTexto(41), std::nullopt);
}

TEST(Calendario, aWholeMonthFromSaturdayUsesTheSixthRow)
{
    FixedClock clock(at(2026, 8, 1)); // August 2026: 31 days from a Saturday
    Calendario cal(clock);
    EXPECT_EQ(cal.primeiroDiaSemana(), 7);
    EXPECT_EQ(cellOfDay(cal, 1), 6);
    EXPECT_EQ(cellOfDay(cal, 31), 36);
}

TEST(Calendario, pressingAnOrdinaryDayRestoresItsLook)
{
    FixedClock clock(at(2026, 3, 5));
    Calendario cal(clock);
    const int today = cellOfDay(cal, 5);
    const int other = cellOfDay(cal, 9);

    cal.casaMouseDown(other);
    EXPECT_TRUE(cal.casa(other).opaca);
    EXPECT_EQ(cal.casa(other).fundo, Calendario::kCorBotao);
    cal.casaMouseUp(other);
    EXPECT_FALSE(cal.casa(other).opaca);

    cal.casaMouseDown(today);
    cal.casaMouseUp(today);
    EXPECT_TRUE(cal.casa(today).opaca);
    EXPECT_EQ(cal.casa(today).fundo, QColor(166, 213, 255));

    cal.casaMouseDown(40);
    cal.casaMouseUp(40);
    EXPECT_FALSE(cal.casa(40).opaca);
}

TEST(Calendario, todaysNumberInAnotherMonthStaysOpaqueAfterAPress)
{
    FixedClock clock(at(2026, 3, 5));
    Calendario cal(clock);
    ASSERT_TRUE(cal.proximoMes()); // April 2026 starts on a Wednesday
    const int fifth = cellOfDay(cal, 5);
    ASSERT_NE(fifth, 4);
    cal.casaMouseDown(fifth);
    cal.casaMouseUp(fifth);
    EXPECT_TRUE(cal.casa(fifth).opaca);
    EXPECT_EQ(cal.casa(fifth).fundo, Calendario::kCorJanela);
    EXPECT_EQ(cal.escreveTexto(fifth), QStringLiteral("05/04/26"));

    // Drawing the month again clears it.
    ASSERT_TRUE(cal.mesAnterior());
    ASSERT_TRUE(cal.proximoMes());
    EXPECT_FALSE(cal.casa(fifth).opaca);
}

namespace {

// The date a pick of the keyboard's day writes.
QString picked(const Calendario& cal)
{
    return cal.escreveTexto(cal.casaEscolhida()).value_or(QStringLiteral("empty cell"));
}

} // namespace

TEST(Calendario, theKeyboardStartsOnTheDueDateElseTodayElseTheFirst)
{
    FixedClock clock(at(2026, 3, 14));
    Calendario cal(clock);
    cal.abre(QStringLiteral("----/----/----"));
    EXPECT_EQ(picked(cal), QStringLiteral("14/03/26"));
    cal.abre(QStringLiteral("20/03/26"));
    EXPECT_EQ(picked(cal), QStringLiteral("20/03/26"));
    cal.abre(QStringLiteral("20/04/26")); // another month than the one shown
    EXPECT_EQ(picked(cal), QStringLiteral("14/03/26"));

    // The month buttons pick again by the same rule.
    ASSERT_TRUE(cal.proximoMes());
    EXPECT_EQ(picked(cal), QStringLiteral("20/04/26"));
    ASSERT_TRUE(cal.proximoMes());
    EXPECT_EQ(picked(cal), QStringLiteral("01/05/26"));
    cal.mostraMesAtual();
    EXPECT_EQ(picked(cal), QStringLiteral("14/03/26"));
}

TEST(Calendario, arrowsCrossMonthAndYearEdgesAndPageKeysKeepTheDay)
{
    FixedClock clock(at(2025, 12, 31));
    Calendario cal(clock);
    ASSERT_TRUE(cal.moveEscolha(1));
    EXPECT_EQ(picked(cal), QStringLiteral("01/01/26"));
    EXPECT_EQ(cal.titulo(), QStringLiteral("Janeiro  2026"));
    ASSERT_TRUE(cal.moveEscolha(-7));
    EXPECT_EQ(picked(cal), QStringLiteral("25/12/25"));
    ASSERT_TRUE(cal.moveEscolha(7));
    ASSERT_TRUE(cal.moveEscolha(30));
    EXPECT_EQ(picked(cal), QStringLiteral("31/01/26"));

    ASSERT_TRUE(cal.mudaMes(1)); // no 31 February: its last day
    EXPECT_EQ(picked(cal), QStringLiteral("28/02/26"));
    ASSERT_TRUE(cal.mudaMes(-1));
    EXPECT_EQ(picked(cal), QStringLiteral("28/01/26"));
}

TEST(Calendario, theKeysStopAtTheEndsOfTheRangeLikeTheButtons)
{
    FixedClock clock(at(1753, 1, 1));
    Calendario cal(clock);
    EXPECT_FALSE(cal.moveEscolha(-1));
    EXPECT_FALSE(cal.mudaMes(-1));
    EXPECT_EQ(picked(cal), QStringLiteral("01/01/53"));
    EXPECT_EQ(cal.titulo(), QStringLiteral("Janeiro  1753"));

    clock.set(at(2078, 12, 31));
    cal.mostraMesAtual();
    EXPECT_FALSE(cal.moveEscolha(7));
    EXPECT_FALSE(cal.mudaMes(1));
    EXPECT_EQ(picked(cal), QStringLiteral("31/12/78"));
    ASSERT_TRUE(cal.mudaMes(-1));
    EXPECT_EQ(picked(cal), QStringLiteral("30/11/78"));
}
