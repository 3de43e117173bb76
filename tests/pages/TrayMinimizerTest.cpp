#include "TrayMinimizer.h"
#include "PageWindow.h"
#include "WindowOwner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Stands in for the viewer and the new-reminder editor: "in use" is a flag here.
class FakePage : public PageWindow {
public:
    FakePage(const QString& name, bool& inUse) : PageWindow(name), inUse_(inUse) {}
    bool restoresWithMain() const override { return inUse_; }

private:
    bool& inUse_;
};

struct TrayMinimizerTest : ::testing::Test {
    TrayMinimizerTest()
    {
        for (Secondary id : kAllSecondary) {
            bool& flag = id == Secondary::VerLembrete ? viewerInUse
                         : id == Secondary::Escrever  ? editorInUse
                                                      : neverInUse;
            pages.push_back(std::make_unique<Owned<PageWindow>>(
                owner, id, [&flag] { return new FakePage(QStringLiteral("page"), flag); }));
        }
        // As at start-up.
        owner.makeAll();
        tray.showIcon();
        main.show();
    }
    ~TrayMinimizerTest() override { owner.closeAll(); }

    bool shown(Secondary id) { return owner.isOpen(id) && owner.find(id)->isVisible(); }
    void showAllSecondary()
    {
        for (Secondary id : kAllSecondary)
            owner.get(id).show();
    }
    int iconCount() const { return main.findChildren<QSystemTrayIcon*>().size(); }

    bool viewerInUse = false;
    bool editorInUse = false;
    bool neverInUse = true;
    bool trayThere = true;
    QWidget main;
    WindowOwner owner;
    std::vector<std::unique_ptr<Owned<PageWindow>>> pages;
    TrayMinimizer tray{owner, &main, [this] { return trayThere; }};
};

TEST_F(TrayMinimizerTest, StartUpMakesTheFiveWindowsHiddenAndTheIcon)
{
    for (Secondary id : kAllSecondary) {
        EXPECT_TRUE(owner.isOpen(id));
        EXPECT_FALSE(owner.find(id)->isVisible());
    }
    ASSERT_NE(tray.icon(), nullptr);
    EXPECT_TRUE(tray.icon()->isVisible());
    EXPECT_EQ(tray.icon()->toolTip(), QStringLiteral("Quivera Recordim!"));
    EXPECT_EQ(tray.icon()->contextMenu(), nullptr);
    EXPECT_FALSE(tray.icon()->icon().isNull());
}

TEST_F(TrayMinimizerTest, MinimiseHidesAllSixWindows)
{
    showAllSecondary();
    tray.minimize();
    EXPECT_FALSE(main.isVisible());
    for (Secondary id : kAllSecondary)
        EXPECT_FALSE(shown(id));
    EXPECT_TRUE(tray.icon()->isVisible());
}

TEST_F(TrayMinimizerTest, LeftOrRightPressRestoresMainViewerAndEditorWhenInUse)
{
    using Reason = QSystemTrayIcon::ActivationReason;
    for (Reason reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context})
        for (bool viewer : {false, true})
            for (bool editor : {false, true}) {
                SCOPED_TRACE(testing::Message() << "reason " << reason << " viewer " << viewer
                                                << " editor " << editor);
                viewerInUse = viewer;
                editorInUse = editor;
                showAllSecondary();
                tray.minimize();
                emit tray.icon()->activated(reason);
                EXPECT_TRUE(main.isVisible());
                EXPECT_EQ(shown(Secondary::VerLembrete), viewer);
                EXPECT_EQ(shown(Secondary::Escrever), editor);
                EXPECT_FALSE(shown(Secondary::Atualizar));
                EXPECT_FALSE(shown(Secondary::Ajuda));
                EXPECT_FALSE(shown(Secondary::Sobre));
                EXPECT_TRUE(tray.icon()->isVisible());
            }
}

TEST_F(TrayMinimizerTest, RestoreRebuildsAClosedViewerHiddenToAsk)
{
    owner.close(Secondary::VerLembrete);
    tray.minimize();
    emit tray.icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(owner.isOpen(Secondary::VerLembrete));
    EXPECT_FALSE(shown(Secondary::VerLembrete));
}

TEST_F(TrayMinimizerTest, DoubleAndMiddleClicksDoNothingMore)
{
    viewerInUse = true;
    tray.minimize();
    for (auto reason :
         {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
        emit tray.icon()->activated(reason);
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(shown(Secondary::VerLembrete));
}

TEST_F(TrayMinimizerTest, MinimisingTwiceKeepsOneIcon)
{
    QSystemTrayIcon* icon = tray.icon();
    tray.minimize();
    tray.minimize();
    EXPECT_EQ(iconCount(), 1);
    EXPECT_EQ(tray.icon(), icon);
    EXPECT_TRUE(icon->isVisible());
}

TEST_F(TrayMinimizerTest, ShutdownRemovesTheIcon)
{
    tray.removeIcon();
    EXPECT_EQ(tray.icon(), nullptr);
    EXPECT_EQ(iconCount(), 0);
}

TEST_F(TrayMinimizerTest, WithoutATrayMinimiseGoesToTheTaskbarAndComesBack)
{
    trayThere = false;
    viewerInUse = true;
    editorInUse = false;
    showAllSecondary();
    tray.minimize();
    EXPECT_TRUE(tray.minimizedToTaskbar());
    EXPECT_TRUE(main.isVisible()) << "a minimised window keeps its taskbar entry";
    EXPECT_TRUE(main.isMinimized());
    for (Secondary id : kAllSecondary)
        EXPECT_FALSE(shown(id));

    main.showNormal();
    EXPECT_FALSE(tray.minimizedToTaskbar());
    EXPECT_TRUE(shown(Secondary::VerLembrete));
    EXPECT_FALSE(shown(Secondary::Escrever));
    EXPECT_FALSE(shown(Secondary::Atualizar));
}

TEST_F(TrayMinimizerTest, TrayThatVanishesWhileHiddenHandsOverToTheTaskbar)
{
    tray.minimize();
    ASSERT_FALSE(main.isVisible());
    trayThere = false;
    QElapsedTimer waited;
    waited.start();
    while (!main.isVisible() && waited.elapsed() < 5 * TrayMinimizer::kWatchMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMinimized());
}

} // namespace
