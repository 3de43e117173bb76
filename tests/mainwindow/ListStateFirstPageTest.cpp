#include "ListState.h"

#include <gtest/gtest.h>

namespace {

QList<int> descending(int from, int count)
{
    QList<int> out;
    for (int i = 0; i < count; ++i)
        out << from - i;
    return out;
}

struct FirstPageCase {
    int reminders;
    QList<int> shown;
    int inicioAvanca;
    bool avanca;
};

class FirstPage : public ::testing::TestWithParam<FirstPageCase> {};

} // namespace

TEST_P(FirstPage, showsTheNewestPageAndResetsPaging)
{
    const FirstPageCase& c = GetParam();
    ListState state;
    state.showFirstPage(c.reminders);
    EXPECT_EQ(state.page(), c.shown);
    EXPECT_EQ(state.total(), c.reminders);
    EXPECT_EQ(state.inicioAvanca(), c.inicioAvanca);
    EXPECT_EQ(state.inicioRetorna(), 0);
    EXPECT_EQ(state.avancaShown(), c.avanca);
    EXPECT_FALSE(state.retornaShown());
}

INSTANTIATE_TEST_SUITE_P(ListState, FirstPage,
                         ::testing::Values(FirstPageCase{0, {}, -16, false},
                                           FirstPageCase{1, {0}, -15, false},
                                           FirstPageCase{15, descending(14, 15), -1, false},
                                           FirstPageCase{16, descending(15, 15), 0, true},
                                           FirstPageCase{40, descending(39, 15), 24, true},
                                           FirstPageCase{40000, descending(39999, 15), 39984,
                                                         true}));

TEST(ListStateFirstPage, refillAfterTheListShrinksForgetsTheOldPage)
{
    ListState state;
    state.showFirstPage(40);
    state.showFirstPage(3);
    EXPECT_EQ(state.page(), (QList<int>{2, 1, 0}));
    EXPECT_EQ(state.total(), 3);
    EXPECT_FALSE(state.avancaShown());
}
