#include "MainListFixture.h"

#include "WindowOwner.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

Reminder shopping(int)
{
    return {QStringLiteral("26.03.14.09.05.00"), QStringLiteral("20/03/26"), Reminder::kOpen,
            QStringLiteral("Comprar <b>pão</b>  &lt;já<br>"),
            QStringLiteral("Leite\u00A5ovos\u00A5café")};
}

} // namespace

class Viewer : public MainListTest {};

TEST_F(Viewer, selectingARowShowsItsReminderBesideTheMainWindow)
{
    start(1, shopping);
    click(0);
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(viewerText("lblData"), QStringLiteral("Vence em: 20/03/26"));
    EXPECT_EQ(viewerText("lblPostado"), QStringLiteral("Postado em: 14/03/26"));
    // The title shows as typed, markup and double spaces included, and so does its tip.
    const QString title = QStringLiteral("Comprar <b>pão</b>  &lt;já<br>");
    auto* lblTitulo = viewer()->findChild<QLabel*>(QStringLiteral("lblTitulo"));
    EXPECT_EQ(lblTitulo->text(), title);
    EXPECT_EQ(lblTitulo->textFormat(), Qt::PlainText);
    QTextDocument tip;
    tip.setHtml(lblTitulo->toolTip());
    EXPECT_EQ(tip.toPlainText(), title);
    auto* finalizado = viewer()->findChild<QLabel*>(QStringLiteral("lblFinalizado"));
    EXPECT_EQ(finalizado->text(), QStringLiteral("Não Concluído"));
    EXPECT_EQ(finalizado->palette().color(QPalette::WindowText), QColor(0xC6, 0x05, 0x00));
    auto* text = viewer()->findChild<QPlainTextEdit*>(QStringLiteral("txtVerLembrete"));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Leite\novos\ncafé"));
    EXPECT_EQ(viewer()->pos(), WindowOwner::besideMain(main().geometry(), 228));
    EXPECT_TRUE(viewer()->restoresWithMain());
    EXPECT_EQ(state().setaMais(), 0);
    // The keys stay with the main list.
    EXPECT_EQ(QApplication::focusWidget(), list());
    EXPECT_TRUE(main().isActiveWindow());
    EXPECT_TRUE(viewer()->testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST_F(Viewer, viewerShowsAMissingDueDateAndAnEmptyDescription)
{
    start(1, [](int) {
        return Reminder{QStringLiteral("26.12.01.00.00.00"), Reminder::kNoDue, Reminder::kDone,
                        QStringLiteral("Sem data"), QString()};
    });
    click(0);
    EXPECT_EQ(viewerText("lblData"), QStringLiteral("Vence em: ----/----/----"));
    EXPECT_EQ(viewerText("lblPostado"), QStringLiteral("Postado em: 01/12/26"));
    EXPECT_EQ(viewerText("lblFinalizado"), QStringLiteral("Concluído"));
    EXPECT_EQ(viewer()
                  ->findChild<QLabel*>(QStringLiteral("lblFinalizado"))
                  ->palette()
                  .color(QPalette::WindowText),
              QColor(0x31, 0x6A, 0xC5));
    EXPECT_TRUE(viewer()->findChild<QPlainTextEdit*>()->toPlainText().isEmpty());
}

TEST_F(Viewer, descriptionCannotBeChanged)
{
    start(1, shopping);
    click(0);
    auto* text = viewer()->findChild<QPlainTextEdit*>(QStringLiteral("txtVerLembrete"));
    QTest::keyClicks(text, QStringLiteral("xyz"));
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Leite\novos\ncafé"));
}

TEST_F(Viewer, viewerDraggedAwayComesBackAtTheNextSelection)
{
    start(3);
    click(0);
    viewer()->move(10, 10);
    click(2);
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 0"));
    EXPECT_EQ(viewer()->pos(), WindowOwner::besideMain(main().geometry(), 228));
}

TEST_F(Viewer, clickOnTheSelectedRowReopensAClosedViewer)
{
    start(3);
    click(1);
    QWidget* first = viewer();
    QTest::mouseClick(viewer()->findChild<PictureButton*>(QStringLiteral("btnFechar")),
                      Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_FALSE(viewer());
    click(1);
    ASSERT_TRUE(viewerShown());
    EXPECT_NE(viewer(), first);
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 1"));
    EXPECT_EQ(viewer()->pos(), WindowOwner::besideMain(main().geometry(), 228));
}

TEST_F(Viewer, focusAndRefillDoNotOpenTheViewer)
{
    start(3);
    list()->setFocus(Qt::TabFocusReason);
    main().showFirstPage();
    EXPECT_FALSE(viewerShown());
    EXPECT_FALSE(state().setaMais());
}

TEST_F(Viewer, tabGoesRoundTheDescriptionAndCloseStartingAtTheDescription)
{
    start(1, shopping);
    click(0);
    ASSERT_TRUE(viewerShown());
    viewer()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer()));
    // The description first, where a long one is scrolled by keys.
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtVerLembrete"));
    QStringList stops;
    for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Tab);
        stops.append(QApplication::focusWidget()->objectName());
    }
    for (int i = 0; i < 2; ++i) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        stops.append(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(stops, QStringList({"btnFechar", "txtVerLembrete", "btnFechar", "txtVerLembrete",
                                  "btnFechar"}));
}
