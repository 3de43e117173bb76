#include "Application.h"
#include "EditorWindow.h"
#include "FileRows.h"
#include "PictureButton.h"
#include "TempFolder.h"
#include "frm0_Inicial.h"
#include "frm1_Escrever.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

class EditorWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(app.store().load(), StoreStatus::Ok);
        ASSERT_EQ(app.store().append({.due = QStringLiteral("----/----/----"),
                                      .title = QStringLiteral("Primeiro"),
                                      .description = QStringLiteral("a\r\nb")}),
                  StoreStatus::Ok);
        ASSERT_EQ(app.store().append({.due = QStringLiteral("02/04/26"),
                                      .title = QStringLiteral("Segundo"),
                                      .description = QString()}),
                  StoreStatus::Ok);
        app.mainWindow().move(600, 400);
        app.mainWindow().show();
    }

    // The main window's write and correct commands, as its pictures give them.
    struct Commands {
        EditorWiring& test;
        void escrever() { test.press("imgEscrever"); }
        // Corrects stored reminder k, selected in the list; or, without one, nothing selected.
        void corrigir(std::optional<int> k)
        {
            if (k) {
                auto* list =
                    test.app.mainWindow().findChild<QListWidget*>(QStringLiteral("lstLembretes"));
                const QRect row =
                    list->visualItemRect(list->item(test.app.store().count() - 1 - *k));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            }
            test.press("imgCorrigir");
        }
    };

    void press(const char* picture)
    {
        auto* button = app.mainWindow().findChild<QWidget*>(QLatin1String(picture));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 5))};
    Application app{folder.path(), clock};
    Commands commands{*this};
};

} // namespace

TEST_F(EditorWiring, writeOpensTheNewReminderEditorBesideTheMainWindow)
{
    commands.escrever();
    auto* editor = qobject_cast<EditorWindow*>(app.owner().find(Secondary::Escrever));
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->objectName(), QStringLiteral("frm1_Escrever"));
    EXPECT_TRUE(qobject_cast<frm1_Escrever*>(editor));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->pos(), QPoint(600 - 228 - 4, 400));
}

TEST_F(EditorWiring, correctFillsTheEditEditorFromTheGivenStoreIndex)
{
    commands.corrigir(1);
    auto* editor = qobject_cast<EditorWindow*>(app.owner().find(Secondary::Atualizar));
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
    EXPECT_EQ(qobject_cast<EditorWindow*>(app.owner().find(Secondary::Atualizar)), editor);
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

// Whoever writes, and when the file changes elsewhere, the main list is refilled
// once, from the store's word alone, and the save picture shows while a status
// change waits: a toggle shows it, a save or a stored reminder hides it, a
// delete and a change from elsewhere leave it.
TEST_F(EditorWiring, theListAndTheSavePictureFollowTheStoreWhoeverWrites)
{
    frm0_Inicial& main = app.mainWindow();
    main.show();
    auto* list = main.findChild<QListWidget*>(QStringLiteral("lstLembretes"));
    auto* marker = main.findChild<PictureButton*>(QStringLiteral("imgSalvarRed"));
    auto* total = main.findChild<QLabel*>(QStringLiteral("lblTotalLembretes"));
    ASSERT_TRUE(list && marker && total);
    int refills = 0;
    // The counter dies with this body; the list, with the fixture after it.
    QObject counting;
    QObject::connect(list->model(), &QAbstractItemModel::modelReset, &counting,
                     [&] { ++refills; });
    auto pressWidget = [](QWidget* picture) {
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
    };
    auto editorOk = [&](Secondary id, const QString& title) {
        auto* editor = qobject_cast<EditorWindow*>(app.owner().find(id));
        ASSERT_TRUE(editor);
        auto* box = editor->findChild<QLineEdit*>(QStringLiteral("txtTitulo"));
        box->selectAll();
        QTest::keyClicks(box, title);
        pressWidget(editor->findChild<QWidget*>(QStringLiteral("btnOk")));
    };
    const struct {
        const char* who;
        std::function<void()> write;
        int rows;
        bool pendingAfter;
    } writers[] = {
        {"save", [&] { pressWidget(marker); }, 2, false},
        {"new reminder",
         [&] {
             commands.escrever();
             editorOk(Secondary::Escrever, QStringLiteral("Terceiro"));
         },
         3, false},
        {"correction",
         [&] {
             commands.corrigir(0);
             editorOk(Secondary::Atualizar, QStringLiteral("Corrigido"));
         },
         3, false},
        {"delete",
         [&] {
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->item(0)).center());
             press("imgApagar");
         },
         2, true},
        {"another program",
         [&] {
             folder.write(ReminderStore::kFileName,
                          FileRows::fileOf({app.store().reminderAt(0),
                                            app.store().reminderAt(1),
                                            {QStringLiteral("26.03.14.10.00.00"), Reminder::kNoDue,
                                             Reminder::kOpen, QStringLiteral("Dela"), QString()}}));
             ASSERT_EQ(app.store().followFile(true), FileChange::Reloaded);
         },
         3, true},
        {"conflict copy",
         [&] {
             const QString copy =
                 QStringLiteral("lembretes.sync-conflict-20260314-100000-ABCDEFG.dat");
             folder.write(
                 copy, FileRows::fileOf({{QStringLiteral("26.03.14.11.00.00"), Reminder::kNoDue,
                                          Reminder::kOpen, QStringLiteral("Cópia"), QString()}}));
             ASSERT_EQ(app.store().mergeConflictCopy(folder.file(copy)), StoreStatus::Ok);
         },
         4, true},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.who);
        app.store().setStatus(0, app.store().reminderAt(0).status == Reminder::kDone
                                     ? Reminder::kOpen
                                     : Reminder::kDone);
        EXPECT_FALSE(marker->isHidden());
        refills = 0;
        writer.write();
        EXPECT_EQ(refills, 1);
        EXPECT_EQ(total->text(), QString::number(writer.rows));
        EXPECT_EQ(list->count(), writer.rows);
        EXPECT_EQ(marker->isHidden(), !writer.pendingAfter);
    }
    app.owner().closeAll();
}
