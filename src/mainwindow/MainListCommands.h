#pragma once

#include "ListState.h"
#include "Reminder.h"

#include <optional>

class MainHost;
class MainListRows;
class QListWidget;
class ReminderStore;
struct SecondaryWindows;

// What the main list does: the selection and the viewer, the status toggle,
// save, delete, copy and the page turns. Whichever route asked, by the mouse,
// the keys, a screen reader or the program, the work is the same.
class MainListCommands {
public:
    MainListCommands(ReminderStore& store, SecondaryWindows& windows, MainHost& host,
                     ListState& state, MainListRows& rows, QListWidget* lstLembretes);

    // The one way into the selection: the row becomes the selected one, its
    // rules run, the viewer shows its reminder and the keys stay in the list.
    void lstLembretes_Click(int position);
    void lstLembretes_DblClick();
    void imgSalvarRed_Click();
    void imgApagar_Click();
    void imgCopiar_Click();
    void imgAvanca_Click();
    void imgRetorna_Click();
    // Page Down and Page Up: the pictures' turns, the focus staying in the list.
    void olderPageByKey();
    void newerPageByKey();
    // The page the arrow keys' rule turned to; on a newer one its top row is
    // the selected one.
    void showTurnedPage(ListState::Turn turn);

    // The list changed elsewhere: the first page, the reminder that was selected
    // selected again when it is on it, the viewer refilled while it shows, or
    // closed when its reminder is gone. Nothing is shown, raised or activated,
    // the focus stays, and the selection handling does not run.
    void showChangedList(const std::optional<Reminder>& selected);

private:
    // A page turned by its picture or key: the viewer of a row no longer shown
    // closes. A picture hands the keys to the holder.
    void turnPage(void (ListState::*turn)(), bool toHolder);

    ReminderStore& store_;
    SecondaryWindows& windows_;
    MainHost& host_;
    ListState& state_;
    MainListRows& rows_;
    QListWidget* lstLembretes;
};
