#include "MainListFixture.h"

#include "HeardBeeps.h"

#include <QClipboard>
#include <QDir>
#include <QTimer>

namespace {

QStringList titles(const ReminderStore& store)
{
    QStringList out;
    for (int k = 0; k < store.count(); ++k)
        out.append(store.reminderAt(k).title);
    return out;
}

QStringList firstPage(const ReminderStore& store)
{
    QStringList out;
    for (int k = store.count() - 1; k >= 0 && k >= store.count() - 15; --k)
        out.append(VisibleRow::make(store.reminderAt(k), k));
    return out;
}

} // namespace

class ListCommands : public MainListTest {};

TEST_F(ListCommands, deleteOnAnOlderPageDeletesTheReminderOfThatRow)
{
    start(40);
    press("imgAvanca");
    click(3);
    ASSERT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 21"));
    owner().get(Secondary::Escrever).show();
    press("imgApagar");
    EXPECT_EQ(store().count(), 39);
    EXPECT_FALSE(titles(store()).contains(QStringLiteral("Lembrete 21")));
    EXPECT_TRUE(titles(store()).contains(QStringLiteral("Lembrete 20")));
    EXPECT_TRUE(titles(store()).contains(QStringLiteral("Lembrete 22")));
    EXPECT_EQ(rows(), firstPage(store()));
    EXPECT_FALSE(button("imgRetorna")->isVisible());
    EXPECT_EQ(state().setaMenos(), 1);
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Entrada apagada!"));
    EXPECT_FALSE(owner().isOpen(Secondary::VerLembrete));
    EXPECT_FALSE(owner().isOpen(Secondary::Escrever));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstInicial"));
}

TEST_F(ListCommands, deleteLeavesTheNewestPageOfWhatRemains)
{
    struct Case {
        int n;
        bool avanca;
    };
    for (const Case c : {Case{17, true}, Case{16, false}, Case{1, false}}) {
        SCOPED_TRACE(c.n);
        start(c.n);
        click(0);
        press("imgApagar");
        EXPECT_EQ(store().count(), c.n - 1);
        EXPECT_EQ(rows(), firstPage(store()));
        EXPECT_EQ(list()->count(), std::min(c.n - 1, 15));
        EXPECT_EQ(button("imgAvanca")->isVisible(), c.avanca);
        EXPECT_FALSE(button("imgRetorna")->isVisible());
        EXPECT_EQ(label("lblTotalLembretes")->text(), QString::number(c.n - 1));
        TearDown();
    }
    EXPECT_EQ(folder.read(ReminderStore::kFileName), QByteArray("\"\"\r\n"));
}

TEST_F(ListCommands, deleteWritesAPendingToggleAndKeepsTheMarker)
{
    start(5);
    doubleClick(0);
    click(2);
    press("imgApagar");
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
    ReminderStore fresh(folder.path(), clock);
    ASSERT_EQ(fresh.load(), StoreStatus::Ok);
    EXPECT_EQ(titles(fresh),
              (QStringList{QStringLiteral("Lembrete 0"), QStringLiteral("Lembrete 1"),
                           QStringLiteral("Lembrete 3"), QStringLiteral("Lembrete 4")}));
    EXPECT_EQ(fresh.reminderAt(3).status, Reminder::kDone);
}

TEST_F(ListCommands, deleteAndCorrectWithoutASelectionOnlyAsk)
{
    start(3);
    const QByteArray before = folder.read(ReminderStore::kFileName);
    press("imgApagar");
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Selecione um ítem primeiro!"));
    EXPECT_EQ(store().count(), 3);
    press("imgCorrigir");
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Selecione um ítem primeiro!"));
    EXPECT_FALSE(owner().find(Secondary::Atualizar) &&
                 owner().find(Secondary::Atualizar)->isVisible());
    EXPECT_EQ(folder.read(ReminderStore::kFileName), before);
}

TEST_F(ListCommands, correctOpensTheEditorAndClosesTheViewer)
{
    start(3);
    click(1);
    press("imgCorrigir");
    EXPECT_TRUE(owner().find(Secondary::Atualizar)->isVisible());
    EXPECT_FALSE(owner().isOpen(Secondary::VerLembrete));
}

TEST_F(ListCommands, copyPutsEveryReminderOnItsOwnLine)
{
    start(2, [](int i) {
        Reminder r = numbered(i);
        r.description = i == 0 ? QStringLiteral("Leite\u00A5ovos") : QStringLiteral("Pão");
        r.title = i == 0 ? QStringLiteral("Compras") : QStringLiteral("Padaria \u00A5 fim");
        return r;
    });
    const HeardBeeps beeps;
    press("imgCopiar");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("26.03.14.09.00.00 - Compras - Leite ovos\r\n"
                             "26.03.14.09.00.01 - Padaria   fim - Pão\r\n"));
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Lista copiada!"));
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(ListCommands, copyOfAnEmptyListEmptiesTheClipboard)
{
    start(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    press("imgCopiar");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Lista copiada!"));
}

TEST_F(ListCommands, secondMessageReplacesTheFirstForAFullTwoSeconds)
{
    start(0);
    auto* timer = main().findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    main().showMessage(QStringLiteral("Primeira!"));
    // As if most of the first message's time had gone by.
    timer->start(300);
    main().showMessage(QStringLiteral("Segunda!"));
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Segunda!"));
    EXPECT_TRUE(label("lblAviso")->isVisible());
    // A coarse timer may run up to 5% short; a timer not restarted has 300 ms left.
    EXPECT_GE(timer->remainingTime(), 1800);
    timer->start(0);
    for (int i = 0; i < 50 && label("lblAviso")->isVisible(); ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(label("lblAviso")->isVisible());
    EXPECT_TRUE(label("lblAviso")->text().isEmpty());
}

// The folder where lembretes.dat was makes every write fail for real.
TEST_F(ListCommands, failedWriteShowsTheErrorAndChangesNothing)
{
    start(40);
    press("imgAvanca");
    click(2);
    doubleClick(2);
    const QStringList shown = rows();
    const int counter = state().setaMenos();
    ASSERT_TRUE(QFile::remove(folder.file(ReminderStore::kFileName)));
    ASSERT_TRUE(QDir(folder.path()).mkdir(ReminderStore::kFileName));

    press("imgSalvarRed");
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Erro ao salvar o arquivo!"));
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
    EXPECT_EQ(rows(), shown);
    EXPECT_EQ(state().inicioRetorna(), 25);
    EXPECT_TRUE(button("imgRetorna")->isVisible());

    label("lblAviso")->clear();
    click(4);
    press("imgApagar");
    EXPECT_EQ(label("lblAviso")->text(), QStringLiteral("Erro ao salvar o arquivo!"));
    EXPECT_EQ(store().count(), 40);
    EXPECT_EQ(rows(), shown);
    EXPECT_EQ(state().setaMenos(), counter);
    EXPECT_TRUE(button("imgSalvarRed")->isVisible());
    EXPECT_TRUE(viewerShown());
}

TEST_F(ListCommands, pageButtonsTurnAndCloseTheViewer)
{
    start(16);
    click(4);
    press("imgAvanca");
    EXPECT_FALSE(owner().isOpen(Secondary::VerLembrete));
    EXPECT_EQ(rows(), QStringList{VisibleRow::make(store().reminderAt(0), 0)});
    EXPECT_FALSE(button("imgAvanca")->isVisible());
    EXPECT_TRUE(button("imgRetorna")->isVisible());
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstInicial"));
    click(0);
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 0"));
    press("imgRetorna");
    EXPECT_FALSE(owner().isOpen(Secondary::VerLembrete));
    EXPECT_EQ(rows(), firstPage(store()));
    EXPECT_FALSE(button("imgRetorna")->isVisible());
    EXPECT_EQ(state().inicioRetorna(), 16);
}

// A selection that neither a click nor a key made, a screen reader's, is a
// selection all the same, also of the row number a page turn left behind.
TEST_F(ListCommands, selectionFromElsewhereOpensTheViewerOnThatRow)
{
    start(40);
    click(3);
    press("imgAvanca");
    ASSERT_FALSE(owner().isOpen(Secondary::VerLembrete));
    list()->setCurrentRow(3);
    QCoreApplication::processEvents();
    ASSERT_TRUE(viewerShown());
    EXPECT_EQ(viewerText("lblTitulo"), QStringLiteral("Lembrete 21"));
    EXPECT_EQ(state().selected(), std::optional<int>(3));
}
