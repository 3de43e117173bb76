#include "Application.h"
#include "TempFolder.h"
#include "WindowCommands.h"
#include "frm0_Inicial.h"
#include "frm1_Escrever.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class EditorWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(app.store().load(), StoreStatus::Ok);
        ASSERT_EQ(app.store().append(QStringLiteral("----/----/----"), QStringLiteral("Primeiro"),
                                     QStringLiteral("a\r\nb")),
                  StoreStatus::Ok);
        ASSERT_EQ(
            app.store().append(QStringLiteral("02/04/26"), QStringLiteral("Segundo"), QString()),
            StoreStatus::Ok);
        app.mainWindow().move(600, 400);
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 5))};
    Application app{folder.path(), clock};
    WindowCommands commands{app.owner(), app.mainWindow()};
};

} // namespace

TEST_F(EditorWiring, writeOpensTheNewReminderEditorBesideTheMainWindow)
{
    commands.escrever();
    auto* editor = app.owner().find<EditorWindow>(Secondary::Escrever);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->objectName(), QStringLiteral("frm1_Escrever"));
    EXPECT_TRUE(qobject_cast<frm1_Escrever*>(editor));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->pos(), QPoint(600 - 228 - 4, 400));
}

TEST_F(EditorWiring, correctFillsTheEditEditorFromTheGivenStoreIndex)
{
    commands.corrigir(1);
    auto* editor = app.owner().find<EditorWindow>(Secondary::Atualizar);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->objectName(), QStringLiteral("frm2_Atualizar"));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtTitulo"))->text(),
              QStringLiteral("Segundo"));
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("lblData"))->text(),
              QStringLiteral("02/04/26"));
    EXPECT_EQ(editor->pos(), QPoint(600 - 228 - 4, 400));

    // A second correct refills the same window.
    commands.corrigir(0);
    EXPECT_EQ(app.owner().find<EditorWindow>(Secondary::Atualizar), editor);
    EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtTitulo"))->text(),
              QStringLiteral("Primeiro"));
}

TEST_F(EditorWiring, correctWithoutASelectionOpensNothing)
{
    commands.corrigir(std::nullopt);
    EXPECT_FALSE(app.owner().isOpen(Secondary::Atualizar));
    auto* aviso = app.mainWindow().findChild<QLabel*>(QStringLiteral("lblAviso"));
    ASSERT_TRUE(aviso);
    EXPECT_EQ(aviso->text(), QStringLiteral("Selecione um ítem primeiro!"));
}
