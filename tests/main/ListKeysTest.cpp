#include "MainListFixture.h"

#include <QKeyEvent>

class ListKeysOnScreen : public MainListTest {
protected:
    QString shownTitle() { return viewerText("lblTitulo"); }
};

TEST_F(ListKeysOnScreen, downOnRowFourteenTurnsToTheOlderPageAndKeepsTheViewer)
{
    start(40);
    click(14);
    ASSERT_EQ(shownTitle(), QStringLiteral("Lembrete 25"));
    key(Qt::Key_Down);
    EXPECT_EQ(list()->item(0)->text(), storedRow(24));
    EXPECT_EQ(list()->item(14)->text(), storedRow(10));
    EXPECT_TRUE(button("imgRetorna")->isVisible());
    EXPECT_EQ(state().setaMenos(), 1);
    EXPECT_EQ(selectedRow(), 0);
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 24"));
    EXPECT_EQ(QApplication::focusWidget(), list());
}

TEST_F(ListKeysOnScreen, upBackToTheFirstPageLandsOnRowFourteen)
{
    start(40);
    click(14);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    ASSERT_EQ(selectedRow(), 2);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    ASSERT_EQ(selectedRow(), 0);
    ASSERT_EQ(list()->item(0)->text(), storedRow(24));
    key(Qt::Key_Up);
    EXPECT_EQ(list()->item(0)->text(), storedRow(39));
    EXPECT_EQ(state().setaMenos(), 0);
    EXPECT_EQ(state().inicioRetorna(), 0);
    EXPECT_FALSE(button("imgRetorna")->isVisible());
    EXPECT_EQ(selectedRow(), 14);
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 25"));
}

TEST_F(ListKeysOnScreen, fifteenRemindersDoNotTurn)
{
    start(15);
    click(14);
    key(Qt::Key_Down);
    EXPECT_EQ(list()->item(0)->text(), storedRow(14));
    EXPECT_EQ(selectedRow(), 14);
    EXPECT_EQ(state().setaMenos(), 0);
}

TEST_F(ListKeysOnScreen, oldestPageDoesNotTurnFurther)
{
    start(30);
    press("imgAvanca");
    click(14);
    key(Qt::Key_Down);
    EXPECT_EQ(list()->item(0)->text(), storedRow(14));
    EXPECT_EQ(selectedRow(), 14);
    EXPECT_EQ(state().setaMenos(), 1);
}

TEST_F(ListKeysOnScreen, shiftDownTurnsLikeDown)
{
    start(40);
    click(14);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(list()->item(0)->text(), storedRow(24));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 24"));
}

TEST_F(ListKeysOnScreen, arrowMovesWithinThePageRefreshTheViewer)
{
    start(5);
    click(2);
    key(Qt::Key_Down);
    EXPECT_EQ(selectedRow(), 3);
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 1"));
    EXPECT_EQ(state().setaMais(), 3);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(state().setaMenos(), 1);
}

TEST_F(ListKeysOnScreen, releaseOnRowZeroJumpsButAutoRepeatReleasesDoNot)
{
    start(8);
    click(0);
    ASSERT_EQ(selectedRow(), 0);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list(), &repeat);
    EXPECT_EQ(selectedRow(), 0);
    QTest::keyRelease(list(), Qt::Key_Up);
    EXPECT_EQ(selectedRow(), 7);
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 0"));
}

TEST_F(ListKeysOnScreen, releaseBeforeAnySelectionDoesNothing)
{
    start(8);
    list()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(list(), Qt::Key_Shift);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_FALSE(viewerShown());
}
