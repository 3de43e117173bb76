#include "MainListFixture.h"

namespace {

Reminder spaced(int i)
{
    static const QStringList titles{QStringLiteral("Reunião"), QStringLiteral("  Começa com espaços"),
                                    QStringLiteral("Dois  espaços  aqui"),
                                    QStringLiteral("  ")};
    Reminder r = MainListTest::numbered(i);
    r.title = titles.value(i);
    return r;
}

} // namespace

class StatusToggle : public MainListTest {};

TEST_F(StatusToggle, bothWaysGiveTheFirstPageRowAndLeaveTheFileAlone)
{
    start(4, spaced);
    const QString before = fileBytes();
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        const int k = 3 - row;
        const QString open = storedRow(k);
        doubleClick(row);
        EXPECT_EQ(store().reminderAt(k).status, Reminder::kDone);
        EXPECT_EQ(list()->item(row)->text(), storedRow(k));
        Reminder done = store().reminderAt(k);
        EXPECT_EQ(list()->item(row)->text(),
                  done.due + QStringLiteral("  \u00D7  ") + done.title + QStringLiteral("\t\t\t\t") +
                      QString::number(k));
        EXPECT_EQ(viewerText("lblFinalizado"), QStringLiteral("Concluído"));
        doubleClick(row);
        EXPECT_EQ(store().reminderAt(k).status, Reminder::kOpen);
        EXPECT_EQ(list()->item(row)->text(), open);
        EXPECT_EQ(viewerText("lblFinalizado"), QStringLiteral("Não Concluído"));
        EXPECT_EQ(selectedRow(), row);
        EXPECT_EQ(state().setaMais(), row);
    }
    EXPECT_EQ(fileBytes(), before);
    // Toggling back does not make the list saved.
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
}

TEST_F(StatusToggle, onlyTheLeftButtonSelectsOpensAndToggles)
{
    start(3);
    QWidget* rows = list()->viewport();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(rows, button, {}, rowCenter(1));
        QTest::mouseDClick(rows, button, {}, rowCenter(1));
        QTest::mouseRelease(rows, button, {}, rowCenter(1));
    }
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(store().reminderAt(1).status, Reminder::kOpen);
    EXPECT_FALSE(button("imgSalvarRed")->isVisible());

    click(1);
    QTest::mouseDClick(rows, Qt::RightButton, {}, rowCenter(1));
    QTest::mouseRelease(rows, Qt::RightButton, {}, rowCenter(1));
    EXPECT_EQ(store().reminderAt(1).status, Reminder::kOpen);
    doubleClick(1);
    EXPECT_EQ(store().reminderAt(1).status, Reminder::kDone);
}

TEST_F(StatusToggle, singleRowRefreshesTheViewerAtOnce)
{
    start(1);
    doubleClick(0);
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(viewerText("lblFinalizado"), QStringLiteral("Concluído"));
    EXPECT_EQ(selectedRow(), 0);
}

TEST_F(StatusToggle, firstOfTwoRowsPassesThroughRowOne)
{
    start(2);
    doubleClick(0);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(state().setaMais(), 0);
    EXPECT_EQ(state().setaMenos(), 1);
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 1"));
    EXPECT_EQ(viewerText("lblFinalizado"), QStringLiteral("Concluído"));
}

TEST_F(StatusToggle, saveWritesTheChangeAndHidesTheMarker)
{
    start(3);
    ASSERT_FALSE(button("imgSalvarRed")->isVisible());
    doubleClick(1);
    ASSERT_TRUE(button("imgSalvarRed")->isVisible());
    press("imgSalvarRed");
    EXPECT_FALSE(button("imgSalvarRed")->isVisible());
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Lista salva!"));
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstInicial"));
    ReminderStore fresh(folder.path(), clock);
    ASSERT_EQ(fresh.load(), StoreStatus::Ok);
    EXPECT_EQ(fresh.reminderAt(1).status, Reminder::kDone);
    EXPECT_EQ(fresh.reminderAt(0).status, Reminder::kOpen);
}
