#include "MainListFixture.h"

#include "FileRows.h"
#include "HeardBeeps.h"

using FileRows::fileOf;

// A change of the file made elsewhere, as the watcher hands it to the main window.
class ChangedElsewhere : public MainListTest {
protected:
    // Reminder 0 deleted elsewhere, reminder 1 retitled, one added: every store
    // index the list showed now names another reminder.
    void changeElsewhere()
    {
        Reminder retitled = numbered(1);
        retitled.title = QStringLiteral("Mudado");
        Reminder added = numbered(3);
        added.title = QStringLiteral("Novo");
        folder.write(ReminderStore::kFileName, fileOf({retitled, numbered(2), added}));
        ASSERT_EQ(store().followFile(false), FileChange::Reloaded);
    }
};

TEST_F(ChangedElsewhere, theSelectedReminderStaysSelectedAndNothingShowsOrMoves)
{
    start(3);
    click(1); // Lembrete 1
    ASSERT_TRUE(viewerShown());
    // Hidden but open, as after a close of the viewer that keeps it: a selection
    // handling would show it again.
    viewer()->hide();
    QWidget* focus = QApplication::focusWidget();
    const HeardBeeps beeps;

    changeElsewhere();

    EXPECT_EQ(rows(), QStringList({storedRow(2), storedRow(1), storedRow(0)}));
    EXPECT_EQ(store().reminderAt(0).title, QStringLiteral("Mudado"));
    EXPECT_EQ(selectedRow(), 2);
    EXPECT_EQ(state().selected(), 2);
    EXPECT_FALSE(viewer()->isVisible()) << "the reload showed the viewer";
    EXPECT_EQ(QApplication::focusWidget(), focus);
    EXPECT_EQ(beeps.count(), 0);
    EXPECT_FALSE(button("imgSalvarRed")->isVisible());

    // What the commands act on is that reminder, at its new index.
    press("imgApagar");
    EXPECT_EQ(store().count(), 2);
    EXPECT_EQ(store().reminderAt(0).title, QStringLiteral("Lembrete 2"));
}

TEST_F(ChangedElsewhere, theSelectionKeptRunsNoHandlingOnceTheEventLoopRuns)
{
    start(3);
    click(1);
    ASSERT_TRUE(viewerShown());
    viewer()->hide();

    changeElsewhere();
    // Whatever takes the list's selection after the event that changed it.
    QTest::qWait(50);

    EXPECT_EQ(selectedRow(), 2);
    EXPECT_FALSE(viewer()->isVisible()) << "the reload showed the viewer";
}

TEST_F(ChangedElsewhere, theViewerIsRefilledWhileItShowsAndClosesWhenItsReminderIsGone)
{
    start(3);
    click(1); // Lembrete 1
    changeElsewhere();
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Mudado"));

    click(2); // the same reminder, where it is now
    folder.write(ReminderStore::kFileName, fileOf({numbered(2)}));
    ASSERT_EQ(store().followFile(false), FileChange::Reloaded);
    EXPECT_FALSE(owner().isOpen(Secondary::VerLembrete));
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(ChangedElsewhere, aPendingToggleKeepsItsMarkerAndReachesTheFileWithTheChange)
{
    start(3);
    doubleClick(0); // Lembrete 2 concluded, pending
    ASSERT_TRUE(button("imgSalvarRed")->isVisible());
    changeElsewhere();
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
    press("imgSalvarRed");
    EXPECT_EQ(store().count(), 3);
    EXPECT_EQ(store().reminderAt(1).status, Reminder::kDone);
    EXPECT_EQ(store().reminderAt(2).title, QStringLiteral("Novo"));
}
