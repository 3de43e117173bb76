#include "MainListCommands.h"

#include "Activation.h"
#include "MainHost.h"
#include "MainListRows.h"
#include "ReminderStore.h"
#include "SecondaryWindows.h"
#include "VisibleRow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>

namespace {

// Reminders in store order: posted - title - description, one per line.
QString copyText(const ReminderStore& store)
{
    QString text;
    const QString dash = QStringLiteral(" - ");
    for (int k = 0; k < store.count(); ++k) {
        const Reminder r = store.reminderAt(k);
        text += r.posted + dash + r.title + dash + r.description + QLatin1String("\r\n");
    }
    text.replace(Reminder::kLineBreak, u' ');
    return text;
}

} // namespace

MainListCommands::MainListCommands(ReminderStore& store, SecondaryWindows& windows, MainHost& host,
                                   ListState& state, MainListRows& rows, QListWidget* lstLembretes)
    : store_(store), windows_(windows), host_(host), state_(state), rows_(rows),
      lstLembretes(lstLembretes)
{
}

void MainListCommands::lstLembretes_Click(int position)
{
    if (position < 0 || position >= lstLembretes->count())
        return;
    // Selects it also when it is current already: a control-click can unselect
    // the row in the list, and the row stays the chosen one.
    lstLembretes->setCurrentRow(position);
    state_.select(position);
    const auto k = rows_.selectedStoreIndex();
    if (!k)
        return;
    windows_.verLembrete.get().showReminder(store_.reminderAt(*k));
    QWidget* main = host_.mainWindow();
    if (!main->isActiveWindow())
        Activation::request(main);
    lstLembretes->setFocus(Qt::OtherFocusReason);
}

void MainListCommands::lstLembretes_DblClick()
{
    const auto position = state_.selected();
    const auto k = rows_.selectedStoreIndex();
    if (!position || !k)
        return;
    // The row is rebuilt from the stored reminder rather than cut apart at double
    // spaces, so titles with spaces of their own come back exactly.
    Reminder r = store_.reminderAt(*k);
    r.status = ListState::toggledStatus(r.status);
    rows_.setRow(*position, r, *k);
    store_.setStatus(*k, r.status);
    // Also with a single row, where away and back are the same row: the viewer
    // must show the new status at once.
    for (int row : state_.toggleRefresh(*position))
        lstLembretes_Click(row);
    // The row's new words are not heard: a screen reader says a row as the
    // keyboard reaches it, and a toggle moves nothing.
    host_.announce(r.title + QLatin1String(", ") + VisibleRow::spokenStatus(r.status));
}

void MainListCommands::imgSalvarRed_Click()
{
    if (!host_.report(store_.saveAll()))
        return;
    host_.showMessage(QStringLiteral("Lista salva!"));
    host_.focusHolder();
}

void MainListCommands::imgApagar_Click()
{
    const auto k = rows_.selectedStoreIndex();
    if (!k) {
        host_.askForSelection();
        return;
    }
    // By identity: the file may have changed since this row was shown.
    if (!host_.report(store_.deleteReminder(store_.reminderAt(*k))))
        return;
    host_.showMessage(QStringLiteral("Entrada apagada!"));
    windows_.escrever.close();
    windows_.atualizar.close();
    windows_.verLembrete.close();
    host_.focusHolder();
}

void MainListCommands::imgCopiar_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString text = copyText(store_);
    host_.showMessage(QStringLiteral("Lista copiada!"));
    clipboard->setText(text);
}

void MainListCommands::imgAvanca_Click()
{
    if (state_.avancaShown())
        turnPage(&ListState::showOlderPage, true);
}

void MainListCommands::imgRetorna_Click()
{
    if (state_.retornaShown())
        turnPage(&ListState::showNewerPage, true);
}

void MainListCommands::olderPageByKey()
{
    if (state_.avancaShown())
        turnPage(&ListState::showOlderPage, false);
}

void MainListCommands::newerPageByKey()
{
    if (state_.retornaShown())
        turnPage(&ListState::showNewerPage, false);
}

void MainListCommands::turnPage(void (ListState::*turn)(), bool toHolder)
{
    (state_.*turn)();
    rows_.render();
    if (toHolder)
        host_.focusHolder();
    windows_.verLembrete.close();
}

void MainListCommands::showTurnedPage(ListState::Turn turn)
{
    if (turn == ListState::Turn::None)
        return;
    rows_.render();
    host_.focusHolder();
    if (turn == ListState::Turn::Newer)
        lstLembretes_Click(0);
}

void MainListCommands::showChangedList(const std::optional<Reminder>& selected)
{
    state_.showFirstPage(store_.count());
    rows_.render();
    if (selected) {
        const int k = store_.indexOf(*selected);
        const int position = int(state_.page().indexOf(k));
        if (k >= 0 && position >= 0) {
            // Set from code, and kept by the state as selected already, the row
            // runs no selection handling: only a press does.
            lstLembretes->setCurrentRow(position);
            state_.keepSelected(position);
        }
    }
    frm3_verLembrete* viewer = windows_.verLembrete.find();
    // One made at start-up that never showed a reminder is left alone.
    if (viewer && viewer->reminder() != Reminder{}) {
        const int k = store_.indexOf(viewer->reminder());
        if (k < 0)
            windows_.verLembrete.close();
        else if (viewer->isVisible())
            viewer->fill(store_.reminderAt(k));
    }
}
