#include "EditorFixture.h"

#include "CalendarioFrame.h"
#include "DataFile.h"
#include "HeardBeeps.h"
#include "MouseEvents.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

class Escrever : public EditorFixture {
protected:
    void SetUp() override { open<frm1_Escrever>(); }

    void write(const QString& title, const QString& description = {})
    {
        titulo->clear();
        typeKeys(titulo, title);
        descricao->setStoredText(description);
        ok();
    }
};

class Atualizar : public EditorFixture {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) {
            host.clock.set(QDateTime(QDate(2026, 3, 14 + i), QTime(9, 5, 0)));
            ASSERT_EQ(host.store().append({.due = QStringLiteral("----/----/----"),
                                           .title = QStringLiteral("Lembrete %1").arg(i),
                                           .description = QStringLiteral("a\r\nb\r\nc")}),
                      StoreStatus::Ok);
        }
        open<frm2_Atualizar>();
    }

    void fill(int k) { editor->fill(host.store().reminderAt(k)); }
};

} // namespace

TEST_F(Escrever, aTitleOfSpacesIsRefusedUntilTheTimerEndsTheMessage)
{
    host.leaveAStatusPending();
    const HeardBeeps beeps;
    typeKeys(titulo, QStringLiteral("   "));
    typeKeys(descricao, QStringLiteral("fica"));
    ok();
    EXPECT_EQ(host.store().count(), 1);
    EXPECT_EQ(shownTitle(), QStringLiteral("O título não pode ficar vazio!"));
    EXPECT_EQ(descricao->toPlainText(), QStringLiteral("fica"));
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_TRUE(host.messageVisible);
    EXPECT_TRUE(host.unsaved()) << "nothing was written, the save marker stays";
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 2000);

    fireTimer();
    EXPECT_TRUE(titulo->text().isEmpty());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_FALSE(host.messageVisible);

    // Typed within the two seconds: the message ends at once, and the title stays.
    ok();
    ASSERT_TRUE(host.messageVisible);
    typeKeys(titulo, QStringLiteral("xyz"));
    EXPECT_EQ(titulo->text(), QStringLiteral("xyz"));
    EXPECT_FALSE(timer()->isActive());
    EXPECT_FALSE(host.messageVisible);
    fireTimer();
    EXPECT_EQ(titulo->text(), QStringLiteral("xyz"));

    write(QStringLiteral("Agora sim"));
    EXPECT_EQ(host.store().count(), 2);
}

TEST_F(Escrever, aStoredReminderKeepsItsSpacesAndClearsTheWindow)
{
    host.leaveAStatusPending();
    const int firstPages = host.firstPages;
    write(QStringLiteral("  Comprar pão  "), QStringLiteral("Leite"));
    ASSERT_EQ(host.store().count(), 2);
    const Reminder stored = host.store().reminderAt(1);
    EXPECT_EQ(stored.title, QStringLiteral("  Comprar pão  "));
    EXPECT_EQ(stored.due, QStringLiteral("----/----/----"));
    EXPECT_EQ(stored.status, QStringLiteral("  "));
    EXPECT_EQ(stored.posted, QStringLiteral("26.03.14.09.05.00"));
    EXPECT_EQ(host.firstPages, firstPages + 1);
    EXPECT_FALSE(host.unsaved());
    EXPECT_GE(host.focusHolders, 1);

    EXPECT_EQ(shownTitle(), QStringLiteral("Entrada inserida com sucesso!"));
    EXPECT_TRUE(descricao->toPlainText().isEmpty());
    EXPECT_EQ(data->text(), QStringLiteral("----/----/----"));
    EXPECT_TRUE(timer()->isActive());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->restoresWithMain());
    fireTimer();
    EXPECT_FALSE(editor->restoresWithMain());
}

TEST_F(Escrever, okDuringTheMessageStoresNothing)
{
    write(QStringLiteral("Primeiro"));
    const HeardBeeps beeps;
    ok();
    ASSERT_EQ(host.store().count(), 1);
    EXPECT_EQ(shownTitle(), EditorWindow::kVazio);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_TRUE(host.messageVisible);
    EXPECT_TRUE(timer()->isActive());
    // Even a user who typed the message's own words has a title.
    titulo->selectAll();
    typeKeys(titulo, frm1_Escrever::kInserida);
    ok();
    ASSERT_EQ(host.store().count(), 2);
    EXPECT_EQ(host.store().reminderAt(1).title, frm1_Escrever::kInserida);
}

// The first edit during a message starts from an empty box, however it comes.
TEST_F(Escrever, whatIsTypedDuringEachMessageIsTheTitle)
{
    auto* spoken = editor->findChild<QLabel*>(QStringLiteral("mensagemFalada"));
    for (const bool refused : {false, true}) {
        if (refused)
            ok();
        else
            write(QStringLiteral("Primeiro"));
        ASSERT_TRUE(timer()->isActive());
        typeKeys(titulo, QStringLiteral("Q"));
        EXPECT_EQ(titulo->text(), QStringLiteral("Q"));
        EXPECT_FALSE(timer()->isActive());
        EXPECT_FALSE(host.messageVisible);
        // Ended early, the message is still heard.
        EXPECT_TRUE(QTest::qWaitFor([&] { return spoken->isVisible(); }, 1000));
        typeKeys(titulo, QStringLiteral("uarto"));
        fireTimer();
        EXPECT_EQ(titulo->text(), QStringLiteral("Quarto"));
        ok();
        EXPECT_EQ(host.store().reminderAt(host.store().count() - 1).title,
                  QStringLiteral("Quarto"));
    }
    ASSERT_EQ(host.store().count(), 3);

    // A refused key changes nothing, so the message stays; Backspace empties it.
    typeKeys(titulo, QStringLiteral("~"));
    EXPECT_EQ(shownTitle(), frm1_Escrever::kInserida);
    EXPECT_TRUE(timer()->isActive());
    QTest::keyClick(titulo, Qt::Key_Backspace);
    EXPECT_TRUE(titulo->text().isEmpty());
    EXPECT_FALSE(timer()->isActive());

    ok();
    QGuiApplication::clipboard()->setText(QStringLiteral("co§lado"));
    chooseInMenu(QStringLiteral("C&olar"));
    EXPECT_EQ(titulo->text(), QStringLiteral("colado"));

    // Over the whole message selected, and undone: never a title of its words.
    for (const QString& typed : {QStringLiteral("Enviar"), QStringLiteral("Ordem")}) {
        if (typed == QStringLiteral("Enviar"))
            write(QStringLiteral("Primeiro"));
        else {
            titulo->clear();
            ok();
        }
        ASSERT_TRUE(titulo->holdsMessage());
        QTest::keyClick(titulo, Qt::Key_End);
        QTest::keyClick(titulo, Qt::Key_Home, Qt::ShiftModifier);
        typeKeys(titulo, typed);
        EXPECT_EQ(titulo->text(), typed);
    }
    chooseInMenu(QStringLiteral("&Desfazer"));
    EXPECT_TRUE(titulo->text().isEmpty());
    EXPECT_FALSE(titulo->holdsMessage());
    const int stored = host.store().count();
    ok();
    EXPECT_EQ(host.store().count(), stored);

    write(QStringLiteral("Outro"));
    QAccessible::queryAccessibleInterface(titulo)->setText(QAccessible::Value,
                                                           QStringLiteral("Lido"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Lido"));
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(Escrever, aHastyDoubleClickOnOkStoresOneReminder)
{
    titulo->clear();
    typeKeys(titulo, QStringLiteral("Uma vez"));
    auto* button = editor->findChild<QWidget*>(QStringLiteral("btnOk"));
    const QPoint at = button->mapToGlobal(button->rect().center());
    MouseEvents::press(button, at);
    MouseEvents::release(button, at);
    MouseEvents::doubleClick(button, at);
    MouseEvents::release(button, at);
    ASSERT_EQ(host.store().count(), 1);
    EXPECT_EQ(host.store().reminderAt(0).title, QStringLiteral("Uma vez"));
    EXPECT_EQ(shownTitle(), frm1_Escrever::kInserida);
}

TEST_F(Escrever, ctrlEnterStoresOnceHowEverLongItIsHeldAndTypesNothing)
{
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    typeKeys(titulo, QStringLiteral("Pelo teclado"));
    descricao->setFocus();
    for (const bool repeat : {false, true, true})
        QTest::simulateEvent(descricao, true, Qt::Key_Return, Qt::ControlModifier,
                             QStringLiteral("\r"), repeat);
    QTest::simulateEvent(descricao, false, Qt::Key_Return, Qt::ControlModifier,
                         QStringLiteral("\r"), false);
    ASSERT_EQ(host.store().count(), 1);
    EXPECT_EQ(host.store().reminderAt(0).title, QStringLiteral("Pelo teclado"));
    EXPECT_EQ(host.store().reminderAt(0).description, QString());
    EXPECT_EQ(shownTitle(), frm1_Escrever::kInserida);
}

TEST_F(Escrever, quotesAndLineBreaksAreStoredAndReadBack)
{
    typeKeys(titulo, QStringLiteral("Ler \"Dom Casmurro\""));
    typeKeys(descricao, QStringLiteral("cap. 1\r\"fim\"\rok"));
    ok();
    const QByteArray bytes = host.folder.read(ReminderStore::kFileName);
    EXPECT_TRUE(bytes.contains("Ler \xA4"
                               "Dom Casmurro\xA4"));
    EXPECT_TRUE(bytes.contains("cap. 1\xA5\xA4"
                               "fim\xA4\xA5ok"));

    ReminderStore reread(host.folder.path(), host.clock);
    ASSERT_EQ(reread.load(), StoreStatus::Ok);
    EXPECT_EQ(reread.reminderAt(0).title, QStringLiteral("Ler \"Dom Casmurro\""));
    EXPECT_EQ(reread.reminderAt(0).description, QStringLiteral("cap. 1\u00A5\"fim\"\u00A5ok"));
}

TEST_F(Escrever, aFailedWriteKeepsWhatWasTyped)
{
    host.leaveAStatusPending();
    const int firstPages = host.firstPages;
    host.makeFileUnwritable();
    typeKeys(titulo, QStringLiteral("Importante"));
    typeKeys(descricao, QStringLiteral("não perder"));
    ok();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Erro ao salvar o arquivo!")});
    EXPECT_EQ(titulo->text(), QStringLiteral("Importante"));
    EXPECT_EQ(descricao->toPlainText(), QStringLiteral("não perder"));
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(host.unsaved());
    EXPECT_EQ(host.firstPages, firstPages);
}

TEST_F(Escrever, aFullListKeepsWhatWasTyped)
{
    QStringList rows;
    for (int i = 0; i < ReminderStore::kMaxRows; ++i)
        rows.append(QStringLiteral("26.01.01.00.00.00\t----/----/----\t  \tr\t"));
    host.folder.write(ReminderStore::kFileName, DataFile::serialize(rows));
    ASSERT_EQ(host.store().load(), StoreStatus::Ok);
    typeKeys(titulo, QStringLiteral("Mais um"));
    ok();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Limite de lembretes atingido!")});
    EXPECT_EQ(titulo->text(), QStringLiteral("Mais um"));
    EXPECT_EQ(host.store().count(), ReminderStore::kMaxRows);
}

TEST_F(Escrever, aPickedDayBecomesTheDueDateAndVencimentoClearsIt)
{
    auto* frame = editor->calendar();
    ASSERT_TRUE(frame->isParked());
    click("btnCalendario");
    EXPECT_FALSE(frame->isParked());
    click("Casa2_41"); // always empty: nothing written, calendar hidden
    EXPECT_TRUE(frame->isParked());
    EXPECT_EQ(data->text(), QStringLiteral("----/----/----"));

    click("btnCalendario");
    click("Casa2_9"); // March 2026 starts on a Sunday
    EXPECT_EQ(data->text(), QStringLiteral("10/03/26"));
    EXPECT_TRUE(frame->isParked());
    write(QStringLiteral("Com data"));
    EXPECT_EQ(host.store().reminderAt(0).due, QStringLiteral("10/03/26"));

    click("btnCalendario");
    click("btnNext2");
    click("Casa2_10", Qt::RightButton); // only the left button picks
    EXPECT_EQ(data->text(), QStringLiteral("----/----/----"));
    EXPECT_FALSE(frame->isParked());
    click("Casa2_9"); // April 2026 starts on a Wednesday
    EXPECT_EQ(data->text(), QStringLiteral("07/04/26"));
    click("btnCalendario");
    click("lblVencimento", Qt::MiddleButton);
    EXPECT_EQ(data->text(), QStringLiteral("07/04/26"));
    click("lblVencimento");
    EXPECT_EQ(data->text(), QStringLiteral("----/----/----"));
    EXPECT_TRUE(frame->isParked());
}

TEST_F(Escrever, theMonthButtonsWarnAtTheEndOfTheRange)
{
    QStringList warnings;
    host.clock.set(QDateTime(QDate(1753, 2, 1), QTime(8, 0)));
    open<frm1_Escrever>();
    // The warning is modal: read it and answer OK from inside its own loop.
    const auto answerWarning = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warnings << box->windowTitle() << box->text();
                box->accept();
            }
        });
    };
    auto* title = editor->findChild<QLabel*>(QStringLiteral("TitMesAno2"));
    answerWarning();
    click("btnPrev2");
    QCoreApplication::processEvents();
    EXPECT_TRUE(warnings.isEmpty());
    answerWarning();
    click("btnPrev2");
    EXPECT_EQ(warnings, QStringList({QStringLiteral("Calendrix"),
                                     QStringLiteral("Ano inválido. O ano deve estar no \r\n"
                                                    "intervalo de 1753 a 2078, inclusive.")}));
    EXPECT_EQ(title->text(), QStringLiteral("Janeiro  1753"));
    click("btnAtual2");
    EXPECT_EQ(title->text(), QStringLiteral("Fevereiro  1753"));
}

TEST_F(Atualizar, opensWithTheReminderAndItsLinesWhole)
{
    const QString longTitle = QString(50, u'T');
    ASSERT_EQ(
        host.store().replaceAt(1, {QStringLiteral("26.03.15.09.05.00"), QStringLiteral("01/04/26"),
                                   QStringLiteral("  "), longTitle, QStringLiteral("a\r\nb\r\nc")}),
        StoreStatus::Ok);
    fill(1);
    EXPECT_EQ(titulo->text(), longTitle);
    EXPECT_EQ(data->text(), QStringLiteral("01/04/26"));
    EXPECT_EQ(descricao->toPlainText(), QStringLiteral("a\nb\nc"));

    // Correcting the description leaves the long title whole.
    descricao->moveCursor(QTextCursor::End);
    typeKeys(descricao, QStringLiteral("d"));
    typeKeys(titulo, QStringLiteral("x")); // a full box takes no more
    ok();
    EXPECT_EQ(host.store().reminderAt(1).title, longTitle);
    EXPECT_EQ(host.store().reminderAt(1).description, QStringLiteral("a\u00A5b\u00A5cd"));
}

TEST_F(Atualizar, theKeyboardPicksADayFromTheDueDateItHolds)
{
    ASSERT_EQ(
        host.store().replaceAt(1, {QStringLiteral("26.03.15.09.05.00"), QStringLiteral("20/03/26"),
                                   QStringLiteral("  "), QStringLiteral("Com data"), QString()}),
        StoreStatus::Ok);
    fill(1);
    QTest::keyClick(editor->findChild<QWidget*>(QStringLiteral("btnCalendario")), Qt::Key_Space);
    ASSERT_FALSE(editor->calendar()->isParked());
    auto* day = editor->findChild<QWidget*>(QStringLiteral("Casa2_teclado"));
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) // 21, 28, 4 April
        QTest::keyClick(day, key);
    EXPECT_EQ(data->text(), QStringLiteral("20/03/26")); // moving picks nothing
    QTest::keyClick(day, Qt::Key_Return);
    EXPECT_EQ(data->text(), QStringLiteral("04/04/26"));
    EXPECT_TRUE(editor->calendar()->isParked());
}

// The edit writes only what the user changed: a status toggled meanwhile, here or
// on another computer, is not undone by an editor filled before it.
TEST_F(Atualizar, anEditKeepsStampStatusAndPositionAndCloses)
{
    fill(1);
    host.store().setStatus(1, Reminder::kDone); // toggled in the main list meanwhile
    ASSERT_TRUE(host.unsaved());
    const int firstPages = host.firstPages;
    titulo->selectAll();
    typeKeys(titulo, QStringLiteral("Corrigido"));
    ok();
    ASSERT_EQ(host.store().count(), 3);
    const Reminder r = host.store().reminderAt(1);
    EXPECT_EQ(r.title, QStringLiteral("Corrigido"));
    EXPECT_EQ(r.posted, QStringLiteral("26.03.15.09.05.00"));
    EXPECT_EQ(r.status, Reminder::kDone);
    EXPECT_EQ(r.description, QStringLiteral("a\u00A5b\u00A5c"));
    EXPECT_EQ(host.store().reminderAt(0).title, QStringLiteral("Lembrete 0"));
    EXPECT_EQ(host.store().reminderAt(2).title, QStringLiteral("Lembrete 2"));
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Entrada atualizada!")});
    EXPECT_EQ(host.firstPages, firstPages + 1);
    EXPECT_FALSE(host.unsaved());
    processDeletes();
    EXPECT_TRUE(editor.isNull());
}

TEST_F(Atualizar, aRefusedTitleLeavesTheMessageLineAlone)
{
    fill(0);
    titulo->selectAll();
    typeKeys(titulo, QStringLiteral("  "));
    ok();
    EXPECT_EQ(shownTitle(), QStringLiteral("O título não pode ficar vazio!"));
    EXPECT_FALSE(host.messageVisible);
    EXPECT_EQ(host.store().reminderAt(0).title, QStringLiteral("Lembrete 0"));
    fireTimer();
    EXPECT_TRUE(titulo->text().isEmpty());
    typeKeys(titulo, QStringLiteral("Novo"));
    ok();
    EXPECT_EQ(host.store().reminderAt(0).title, QStringLiteral("Novo"));
    EXPECT_FALSE(editor->restoresWithMain());

    // Ended by the timer or by a key, it leaves the line it never showed alone.
    open<frm2_Atualizar>();
    fill(1);
    titulo->clear();
    host.messageVisible = true;
    ok();
    fireTimer();
    EXPECT_TRUE(host.messageVisible);
    ok();
    typeKeys(titulo, QStringLiteral("Outro"));
    EXPECT_TRUE(host.messageVisible);
    ok();
    EXPECT_EQ(host.store().reminderAt(1).title, QStringLiteral("Outro"));
}

TEST_F(Atualizar, aNewFillingIsNotErasedByTheLastMessage)
{
    fill(0);
    titulo->clear();
    ok();
    ASSERT_TRUE(timer()->isActive());
    fill(1);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(titulo->text(), QStringLiteral("Lembrete 1"));
}

TEST_F(Atualizar, aFailedReplaceKeepsTheWindowAndItsText)
{
    fill(2);
    host.makeFileUnwritable();
    typeKeys(titulo, QStringLiteral("!"));
    ok();
    EXPECT_EQ(host.messages, QStringList{QStringLiteral("Erro ao salvar o arquivo!")});
    EXPECT_EQ(host.store().reminderAt(2).title, QStringLiteral("Lembrete 2"));
    EXPECT_EQ(titulo->text(), QStringLiteral("Lembrete 2!"));
    processDeletes();
    ASSERT_FALSE(editor.isNull());
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(Atualizar, vencimentoClearsTheDateButLeavesTheCalendarOpen)
{
    fill(0);
    click("btnCalendario");
    click("lblVencimento");
    EXPECT_EQ(data->text(), QStringLiteral("----/----/----"));
    EXPECT_FALSE(editor->calendar()->isParked());
    click("Casa2_20");
    EXPECT_EQ(data->text(), QStringLiteral("21/03/26"));
    ok();
    EXPECT_EQ(host.store().reminderAt(0).due, QStringLiteral("21/03/26"));
}
