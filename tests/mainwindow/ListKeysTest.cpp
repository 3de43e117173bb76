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

TEST_F(ListKeysOnScreen, spaceAndThePageKeysActWithoutTheKeyRules)
{
    start(40);
    click(0);
    // The release of Space would make the key-up rule jump to row 14.
    key(Qt::Key_Space);
    EXPECT_EQ(store().reminderAt(39).status, Reminder::kDone);
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(shownTitle(), QStringLiteral("Lembrete 39"));

    key(Qt::Key_PageDown);
    EXPECT_EQ(list()->item(0)->text(), storedRow(24));
    EXPECT_EQ(state().setaMenos(), 1);
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(QApplication::focusWidget(), list());
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown); // no older page: nothing, not the list's own last row
    EXPECT_EQ(list()->item(0)->text(), storedRow(9));
    EXPECT_EQ(state().setaMenos(), 2);
    EXPECT_EQ(selectedRow(), -1);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(list()->item(0)->text(), storedRow(39));
    EXPECT_EQ(state().setaMenos(), 0);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(QApplication::focusWidget(), list());
}

TEST_F(ListKeysOnScreen, tabGoesFromTheHiddenListToTheListThenThePicturesInReadingOrder)
{
    start(40);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstInicial"));
    QStringList stops;
    for (int i = 0; i < 10; ++i) {
        key(Qt::Key_Tab);
        stops.append(QApplication::focusWidget()->objectName());
    }
    // Hidden pictures (Retornar, the red save) are no stops.
    EXPECT_EQ(stops, QStringList({"lstLembretes", "btnMinimizar", "btnFechar", "imgEscrever",
                                  "imgCorrigir", "imgApagar", "imgCopiar", "imgAvanca", "imgAjuda",
                                  "imgSobre"}));
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list());
    press("imgCopiar"); // a click moves no focus
    EXPECT_EQ(QApplication::focusWidget(), list());
}

TEST_F(ListKeysOnScreen, f6GoesRoundTheShownWindowsInTheCloseAllOrder)
{
    start(3);
    owner().get(Secondary::Ajuda).show();
    owner().get(Secondary::Escrever).show();
    owner().get(Secondary::Sobre); // open but not shown
    click(0);
    ASSERT_TRUE(viewerShown());
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    QList<QWidget*> visited;
    for (int i = 0; i < 4; ++i) {
        QWidget* at = QApplication::focusWidget() ? QApplication::focusWidget()
                                                  : QApplication::activeWindow();
        QTest::keyClick(at, Qt::Key_F6);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() != at->window(); }));
        visited.append(QApplication::activeWindow());
    }
    EXPECT_EQ(visited, QList<QWidget*>({owner().find(Secondary::Escrever), viewer(),
                                        owner().find(Secondary::Ajuda), &main()}));
}
