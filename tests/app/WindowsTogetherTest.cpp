#include "Application.h"
#include "EditTarget.h"
#include "MouseEvents.h"
#include "PageWindow.h"
#include "PictureButton.h"
#include "TempFolder.h"
#include "TrayMinimizer.h"
#include "WindowDragger.h"
#include "frm0_Inicial.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WindowsTogetherTest : ::testing::Test {
    WindowsTogetherTest()
    {
        app.start();
        // The hidden windows and the icon follow the main window's first paint.
        EXPECT_TRUE(QTest::qWaitFor([this] { return main.tray().icon() != nullptr; }));
        main.move(600, 400);
    }
    ~WindowsTogetherTest() override { app.owner().closeAll(); }

    PictureButton* button(const char* name)
    {
        return main.findChild<PictureButton*>(QLatin1String(name));
    }
    // A point of the window that no control covers.
    static QPoint bodyOf(const QWidget* window)
    {
        const auto* dragger = window->findChild<WindowDragger*>();
        if (!dragger) {
            ADD_FAILURE() << "the window cannot be dragged";
            return {};
        }
        for (int y = 2; y < window->height(); y += 4)
            for (int x = 2; x < window->width(); x += 4)
                if (dragger->onBody({x, y}))
                    return {x, y};
        ADD_FAILURE() << "the window has no bare body";
        return {};
    }
    QPoint body() const { return bodyOf(&main); }
    QWidget* window(Secondary id) { return app.owner().find(id); }
    bool shown(Secondary id) { return window(id) && window(id)->isVisible(); }
    void expectDocked(Secondary id)
    {
        ASSERT_NE(window(id), nullptr);
        EXPECT_EQ(window(id)->pos(), QPoint(main.x() - window(id)->width() - 4, main.y()));
    }
    void doubleClickBody() { doubleClickAt(body()); }
    void doubleClickAt(QPoint local)
    {
        const QPoint at = main.mapToGlobal(local);
        QWidget* target = MouseEvents::under(&main, local);
        MouseEvents::press(target, at);
        MouseEvents::release(target, at);
        MouseEvents::doubleClick(target, at);
        MouseEvents::release(target, at);
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(9, 30))};
    Application app{folder.path(), clock};
    frm0_Inicial& main = app.mainWindow();
};

TEST_F(WindowsTogetherTest, OpenedWindowStandsLeftOfTheMainWindowTopsLevel)
{
    MouseEvents::click(button("imgAjuda"));
    ASSERT_TRUE(shown(Secondary::Ajuda));
    EXPECT_EQ(window(Secondary::Ajuda)->width(), 228);
    EXPECT_EQ(window(Secondary::Ajuda)->pos(), QPoint(368, 400));
}

TEST_F(WindowsTogetherTest, DraggingTheMainWindowDocksEveryWindowOpenOrNot)
{
    MouseEvents::click(button("imgSobre"));
    app.owner().close(Secondary::Escrever);
    ASSERT_FALSE(app.owner().isOpen(Secondary::Escrever));

    MouseEvents::drag(&main, body(), QPoint(-150, -90));

    EXPECT_EQ(main.pos(), QPoint(450, 310));
    for (Secondary id : kAllSecondary)
        expectDocked(id);
    EXPECT_TRUE(shown(Secondary::Sobre));
    EXPECT_FALSE(shown(Secondary::Escrever)) << "docking creates a closed window hidden";
}

TEST_F(WindowsTogetherTest, SecondaryWindowDraggedAloneStaysWhereDropped)
{
    MouseEvents::click(button("imgAjuda"));
    QWidget* help = window(Secondary::Ajuda);
    const QPoint viewerAt = window(Secondary::VerLembrete)->pos();

    MouseEvents::drag(help, bodyOf(help), QPoint(-60, 35));

    EXPECT_EQ(help->pos(), QPoint(368 - 60, 400 + 35));
    EXPECT_EQ(main.pos(), QPoint(600, 400));
    EXPECT_EQ(window(Secondary::VerLembrete)->pos(), viewerAt);

    MouseEvents::drag(&main, body(), QPoint(10, 10));
    expectDocked(Secondary::Ajuda);

    // A press on one of the page's rules drags as on the bare page.
    const QPoint onRule = help->findChild<QWidget*>(QStringLiteral("Shape2"))->geometry().center();
    ASSERT_EQ(MouseEvents::under(help, onRule), help);
    const QPoint before = help->pos();
    MouseEvents::drag(help, onRule, QPoint(-20, 15));
    EXPECT_EQ(help->pos(), before + QPoint(-20, 15));
}

TEST_F(WindowsTogetherTest, DockingLeavesTheActiveWindowActive)
{
    MouseEvents::click(button("imgEscrever"));
    QWidget* editor = window(Secondary::Escrever);
    editor->activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != editor)
        GTEST_SKIP() << "this platform does not activate windows on request";
    MouseEvents::drag(&main, body(), QPoint(-20, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), editor);
}

TEST_F(WindowsTogetherTest, CorrectWhileTheViewerIsOpenFillsTheEditorAndClosesTheViewer)
{
    ASSERT_EQ(app.store().append({.due = QStringLiteral("----/----/----"),
                                  .title = QStringLiteral("Primeiro"),
                                  .description = QStringLiteral("a")}),
              StoreStatus::Ok);
    ASSERT_EQ(app.store().append({.due = QStringLiteral("12/03/24"),
                                  .title = QStringLiteral("Segundo"),
                                  .description = QStringLiteral("b\u00A5c")}),
              StoreStatus::Ok);
    // Selected, the newest row shows in the viewer.
    auto* list = main.findChild<QListWidget*>(QStringLiteral("lstLembretes"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    ASSERT_TRUE(shown(Secondary::VerLembrete));

    QTest::mouseClick(button("imgCorrigir"), Qt::LeftButton);

    QWidget* editor = window(Secondary::Atualizar);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtTitulo"))->text(),
              QStringLiteral("Segundo"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->pos(), QPoint(368, 400));
    EXPECT_FALSE(app.owner().isOpen(Secondary::VerLembrete));
}

TEST_F(WindowsTogetherTest, HelpAndAboutReplaceEachOtherAtTheSamePlace)
{
    MouseEvents::click(button("imgAjuda"));
    MouseEvents::click(button("imgSobre"));
    EXPECT_FALSE(app.owner().isOpen(Secondary::Ajuda));
    ASSERT_TRUE(shown(Secondary::Sobre));
    EXPECT_EQ(window(Secondary::Sobre)->pos(), QPoint(368, 400));

    MouseEvents::click(button("imgAjuda"));
    EXPECT_FALSE(app.owner().isOpen(Secondary::Sobre));
    ASSERT_TRUE(shown(Secondary::Ajuda));
    EXPECT_EQ(window(Secondary::Ajuda)->pos(), QPoint(368, 400));
}

TEST_F(WindowsTogetherTest, BodyDoubleClickClosesAllFiveAndKeepsTheMainWindow)
{
    main.show();
    for (Secondary id : kAllSecondary)
        app.owner().get(id).show();

    doubleClickBody();

    for (Secondary id : kAllSecondary)
        EXPECT_FALSE(app.owner().isOpen(id));
    EXPECT_TRUE(main.isVisible());

    // The rules are drawn on the page: a double click on one is the body's too.
    for (const char* rule : {"shpLinhaLista", "linhaMarca2", "separatriz1"}) {
        SCOPED_TRACE(rule);
        app.owner().get(Secondary::Ajuda).show();
        doubleClickAt(main.findChild<QWidget*>(QLatin1String(rule))->geometry().center());
        EXPECT_FALSE(app.owner().isOpen(Secondary::Ajuda));
    }
}

TEST_F(WindowsTogetherTest, DoubleClickOnTheListIsNotCloseAll)
{
    MouseEvents::click(button("imgAjuda"));
    auto* list = main.findChild<QListWidget*>(QStringLiteral("lstLembretes"));
    ASSERT_NE(list, nullptr);
    QWidget* rows = list->viewport();
    const QPoint at = rows->mapToGlobal(QPoint(10, 5));
    MouseEvents::press(rows, at);
    MouseEvents::release(rows, at);
    MouseEvents::doubleClick(rows, at);
    MouseEvents::release(rows, at);
    EXPECT_TRUE(shown(Secondary::Ajuda));
}

TEST_F(WindowsTogetherTest, EveryHandIsTheProgramsOwnPicture)
{
    struct Hand {
        Secondary window;
        const char* control;
    };
    const Hand hands[] = {
        {Secondary::Escrever, "btnFechar"},     {Secondary::Escrever, "lblVencimento"},
        {Secondary::Escrever, "btnCalendario"}, {Secondary::Atualizar, "btnFechar"},
        {Secondary::VerLembrete, "btnFechar"},  {Secondary::Ajuda, "btnFechar"},
        {Secondary::Sobre, "btnFechar"},        {Secondary::Sobre, "lblBrenquivera"},
    };
    for (const Hand& hand : hands) {
        QWidget* control =
            app.owner().get(hand.window).findChild<QWidget*>(QLatin1String(hand.control));
        ASSERT_NE(control, nullptr) << hand.control;
        EXPECT_EQ(control->cursor().shape(), Qt::BitmapCursor)
            << app.owner().get(hand.window).objectName().toStdString() << " " << hand.control;
    }
    // No window falls back to the system's hand anywhere.
    QList<QWidget*> windows{&main};
    for (Secondary id : kAllSecondary)
        windows << &app.owner().get(id);
    for (QWidget* w : windows) {
        for (QWidget* control : w->findChildren<QWidget*>()) {
            if (control->testAttribute(Qt::WA_SetCursor)) {
                EXPECT_NE(control->cursor().shape(), Qt::PointingHandCursor)
                    << w->objectName().toStdString() << " " << control->objectName().toStdString();
            }
        }
    }
}

TEST_F(WindowsTogetherTest, ClosedWindowComesBackAsANewWindow)
{
    MouseEvents::click(button("imgEscrever"));
    QPointer<QWidget> first = window(Secondary::Escrever);
    first->setProperty("typedInto", true);

    doubleClickBody();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    MouseEvents::click(button("imgEscrever"));
    ASSERT_TRUE(shown(Secondary::Escrever));
    EXPECT_FALSE(window(Secondary::Escrever)->property("typedInto").isValid());
}

TEST_F(WindowsTogetherTest, SixCommandPicturesSinkAndTheOthersDoNot)
{
    const QStringList sinking = {"imgApagar",   "imgCopiar", "imgCorrigir",
                                 "imgEscrever", "imgAvanca", "imgRetorna"};
    const QPoint away = main.mapToGlobal(QPoint(-50, -50));
    for (PictureButton* picture : main.findChildren<PictureButton*>()) {
        SCOPED_TRACE(picture->objectName().toStdString());
        const QPoint rest = picture->pos();
        MouseEvents::press(picture, picture->mapToGlobal(QPoint(3, 3)));
        const QPoint held = picture->pos();
        MouseEvents::release(picture, away);
        EXPECT_EQ(held, sinking.contains(picture->objectName()) ? rest + QPoint(1, 1) : rest);
        EXPECT_EQ(picture->pos(), rest);
    }
}

TEST_F(WindowsTogetherTest, IconIsThereFromStartUpToShutdown)
{
    QSystemTrayIcon* icon = main.tray().icon();
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->isVisible());
    MouseEvents::click(button("btnMinimizar"));
    main.tray().restore();
    EXPECT_EQ(main.findChildren<QSystemTrayIcon*>().size(), 1);

    MouseEvents::click(button("btnFechar"));
    EXPECT_TRUE(main.findChildren<QSystemTrayIcon*>().isEmpty());
}

TEST_F(WindowsTogetherTest, MinimiseWithoutATrayStaysReversible)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "a notification area is present";
    main.show();
    MouseEvents::click(button("imgEscrever"));

    MouseEvents::click(button("btnMinimizar"));
    EXPECT_TRUE(main.isMinimized());
    EXPECT_FALSE(shown(Secondary::Escrever));

    main.showNormal();
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(main.isMinimized());
}

} // namespace
