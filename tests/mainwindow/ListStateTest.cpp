#include "ListState.h"
#include "Reminder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Store indices from `from` down to `to`.
QList<int> indices(int from, int to)
{
    QList<int> out;
    for (int a = from; a >= to; --a)
        out.append(a);
    return out;
}

struct PageStep {
    const char* action;
    std::function<void(ListState&)> act;
    QList<int> rows;
    int inicioAvanca;
    int inicioRetorna;
    bool avanca;
    bool retorna;
    int counter;
};

void expectStep(const ListState& s, const PageStep& step)
{
    SCOPED_TRACE(step.action);
    EXPECT_EQ(s.page(), step.rows);
    EXPECT_EQ(s.inicioAvanca(), step.inicioAvanca);
    EXPECT_EQ(s.inicioRetorna(), step.inicioRetorna);
    EXPECT_EQ(s.avancaShown(), step.avanca);
    EXPECT_EQ(s.retornaShown(), step.retorna);
    EXPECT_EQ(s.setaMenos(), step.counter);
    EXPECT_FALSE(s.selected());
}

void runSteps(const std::vector<PageStep>& steps)
{
    ListState s;
    for (const PageStep& step : steps) {
        step.act(s);
        expectStep(s, step);
    }
}

const auto first = [](int n) { return [n](ListState& s) { s.showFirstPage(n); }; };
const auto older = [](ListState& s) { s.showOlderPage(); };
const auto newer = [](ListState& s) { s.showNewerPage(); };

} // namespace

TEST(ListPaging, fortyRemindersThereAndBack)
{
    runSteps({
                     {"start-up", first(40), indices(39, 25), 24, 0, true, false, 0},
                     {"avanca", older, indices(24, 10), 9, 25, true, true, 1},
                     {"avanca", older, indices(9, 0), 0, 10, false, true, 2},
                     {"retorna", newer, indices(24, 10), 9, 25, true, true, 1},
                     {"retorna", newer, indices(39, 25), 24, 40, true, false, 0},
                 });
}

TEST(ListPaging, sixteenRemindersLeaveOneForTheSecondPage)
{
    runSteps({
                     {"start-up", first(16), indices(15, 1), 0, 0, true, false, 0},
                     {"avanca", older, {0}, 0, 1, false, true, 1},
                     {"retorna", newer, indices(15, 1), 0, 16, true, false, 0},
                 });
}

TEST(ListPaging, thirtyRemindersFillTwoPagesExactly)
{
    runSteps({
                     {"start-up", first(30), indices(29, 15), 14, 0, true, false, 0},
                     {"avanca", older, indices(14, 0), 0, 15, false, true, 1},
                     {"retorna", newer, indices(29, 15), 14, 30, true, false, 0},
                 });
}

TEST(ListPaging, smallListsHaveNoPageToTurn)
{
    for (int n : {0, 1, 15}) {
        ListState s;
        s.showFirstPage(n);
        EXPECT_EQ(s.page(), indices(n - 1, 0)) << n;
        EXPECT_EQ(s.inicioAvanca(), n - 16) << n;
        EXPECT_FALSE(s.avancaShown()) << n;
        EXPECT_FALSE(s.retornaShown()) << n;
    }
}

TEST(ListPaging, firstPageKeepsTheCounterAndForgetsTheSelection)
{
    ListState s;
    s.showFirstPage(40);
    s.showOlderPage();
    s.select(3);
    s.showFirstPage(39);
    EXPECT_EQ(s.setaMenos(), 1);
    EXPECT_FALSE(s.selected());
    EXPECT_EQ(s.setaMais(), 3);
    EXPECT_FALSE(s.retornaShown());
}

TEST(ListSelection, recordsThePositionAndRowOneSetsTheCounter)
{
    ListState s;
    s.showFirstPage(40);
    s.showOlderPage();
    s.showOlderPage();
    ASSERT_EQ(s.setaMenos(), 2);
    s.select(4);
    EXPECT_EQ(s.setaMais(), 4);
    ASSERT_TRUE(s.selected());
    EXPECT_EQ(s.page().value(*s.selected()), 5); // the store index shown there
    EXPECT_EQ(s.setaMenos(), 2);
    s.select(1);
    EXPECT_EQ(s.setaMenos(), 1);
    ASSERT_TRUE(s.selected());
    EXPECT_EQ(s.page().value(*s.selected()), 8);
}

TEST(ListSelection, firstSelectionBackOnTheNewestPageResetsTheWayBack)
{
    ListState s;
    s.showFirstPage(40);
    s.showOlderPage();
    s.showNewerPage();
    ASSERT_EQ(s.inicioRetorna(), 40);
    s.select(5);
    EXPECT_EQ(s.inicioRetorna(), 0);
}

TEST(ListSelection, rowsOutsideThePageAreIgnored)
{
    ListState s;
    s.showFirstPage(3);
    s.select(3);
    s.select(-1);
    EXPECT_FALSE(s.selected());
    EXPECT_FALSE(s.setaMais());
}

TEST(ListToggle, flipsBetweenDoneAndOpen)
{
    EXPECT_EQ(ListState::toggledStatus(Reminder::kOpen), Reminder::kDone);
    EXPECT_EQ(ListState::toggledStatus(Reminder::kDone), Reminder::kOpen);
    // A hand-edited status that is not "×" counts as open.
    EXPECT_EQ(ListState::toggledStatus(QString()), Reminder::kDone);
}

TEST(ListToggle, refreshMovesAwayAndBack)
{
    ListState s;
    s.showFirstPage(5);
    EXPECT_EQ(s.toggleRefresh(0), (std::array<int, 2>{4, 0}));
    EXPECT_EQ(s.toggleRefresh(3), (std::array<int, 2>{0, 3}));
    s.showFirstPage(1);
    EXPECT_EQ(s.toggleRefresh(0), (std::array<int, 2>{0, 0}));
}

// The key rules alone; the scenarios with the list's own moves run on screen.
class ListKeys : public ::testing::Test {
protected:
    void start(int n) { s.showFirstPage(n); }

    ListState s;
};

TEST_F(ListKeys, downTurnsOnlyFromRowFourteenWhenAnOlderPageExists)
{
    start(40);
    s.select(13);
    EXPECT_EQ(s.keyDown(Qt::Key_Down), ListState::Turn::None);
    s.select(14);
    EXPECT_EQ(s.keyDown(Qt::Key_Up), ListState::Turn::None);
    EXPECT_EQ(s.keyDown(Qt::Key_Down), ListState::Turn::Older);
    EXPECT_EQ(s.page(), indices(24, 10));
    // The position of the last selection outlives the refill.
    EXPECT_EQ(s.keyDown(Qt::Key_Down), ListState::Turn::Older);
    EXPECT_EQ(s.page(), indices(9, 0));
    EXPECT_EQ(s.keyDown(Qt::Key_Down), ListState::Turn::None);
}

TEST_F(ListKeys, upOnRowZeroOfAnOlderPageTurnsBackAndSelectsRowZero)
{
    start(40);
    s.showOlderPage();
    s.select(0);
    EXPECT_EQ(s.keyDown(Qt::Key_Up), ListState::Turn::Newer);
    EXPECT_EQ(s.page(), indices(39, 25));
    EXPECT_EQ(s.selected(), 0);
    EXPECT_EQ(s.inicioRetorna(), 0);
    EXPECT_EQ(s.setaMenos(), 0);
    EXPECT_EQ(s.keyUp(), 14);
}

TEST_F(ListKeys, upOnTheFirstRowOfTheFirstPageNeverTurns)
{
    start(40);
    s.select(0);
    EXPECT_EQ(s.keyDown(Qt::Key_Up), ListState::Turn::None);
    EXPECT_EQ(s.page(), indices(39, 25));
}

TEST_F(ListKeys, releaseOnRowZeroOfTheFirstPageJumpsToTheLastRow)
{
    start(8);
    s.select(0);
    EXPECT_EQ(s.keyUp(), 7);
    EXPECT_EQ(s.selected(), 7);
    // From row 1 up to row 0 the counter reads 1, so the release stays put.
    s.select(1);
    s.select(0);
    EXPECT_FALSE(s.keyUp());
    EXPECT_EQ(s.selected(), 0);
}

TEST_F(ListKeys, nothingHappensBeforeTheFirstSelection)
{
    start(40);
    // An empty position must not read as row 0 or row 14.
    EXPECT_EQ(s.keyDown(Qt::Key_Down), ListState::Turn::None);
    EXPECT_EQ(s.keyDown(Qt::Key_Up), ListState::Turn::None);
    EXPECT_FALSE(s.keyUp());
    EXPECT_FALSE(s.selected());
    EXPECT_EQ(s.page(), indices(39, 25));
}
