#include "PictureButton.h"
#include "ReminderStore.h"
#include "StandInWindows.h"
#include "TempFolder.h"
#include "WindowOwner.h"
#include "frm0_Inicial.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Help and about share the place beside the main window; opening one closes the
// other.
class HelpAboutCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<frm0_Inicial>(store, *windows, clock);
        main->move(600, 400);
        main->show();
    }
    void TearDown() override { owner.closeAll(); }

    void click(const char* name)
    {
        emit main->findChild<PictureButton*>(QLatin1String(name))->clicked();
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
    ReminderStore store{folder.path(), clock};
    WindowOwner owner;
    std::unique_ptr<SecondaryWindows> windows = standInWindows(
        owner, [this]() -> MainHost& { return *main; }, [] { return new frm4_Ajuda; },
        [] { return new frm5_Sobre; });
    std::unique_ptr<frm0_Inicial> main;
};

TEST_F(HelpAboutCommands, HelpOpensBesideTheMainWindow)
{
    click("imgAjuda");
    QWidget* help = owner.find(Secondary::Ajuda);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    // 60 twips left of the main window, tops aligned.
    EXPECT_EQ(help->pos(), QPoint(600 - 228 - 4, 400));
}

TEST_F(HelpAboutCommands, EachClosesTheOtherAtTheSamePlace)
{
    click("imgSobre");
    click("imgAjuda");
    EXPECT_FALSE(owner.isOpen(Secondary::Sobre));
    ASSERT_TRUE(owner.isOpen(Secondary::Ajuda));
    const QPoint helpAt = owner.find(Secondary::Ajuda)->pos();

    click("imgSobre");
    EXPECT_FALSE(owner.isOpen(Secondary::Ajuda));
    ASSERT_TRUE(owner.isOpen(Secondary::Sobre));
    EXPECT_EQ(owner.find(Secondary::Sobre)->pos(), helpAt);
    EXPECT_TRUE(owner.find(Secondary::Sobre)->isVisible());
}

TEST_F(HelpAboutCommands, ClosingOneLeavesTheOtherAlone)
{
    click("imgAjuda");
    frm4_Ajuda* first = qobject_cast<frm4_Ajuda*>(owner.find(Secondary::Ajuda));
    ASSERT_NE(first, nullptr);
    owner.get(Secondary::Sobre); // created hidden, as start-up does
    first->findChild<PictureButton*>(QStringLiteral("btnFechar"))->clicked();
    EXPECT_FALSE(owner.isOpen(Secondary::Ajuda));
    EXPECT_TRUE(owner.isOpen(Secondary::Sobre));

    click("imgAjuda");
    EXPECT_TRUE(owner.isOpen(Secondary::Ajuda)) << "opens again as a new window";
}

} // namespace
