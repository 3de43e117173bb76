#pragma once

#include "Reminder.h"

#include <optional>

class ListState;
class MainHost;
class PictureButton;
class QLabel;
class QListWidget;
class ReminderStore;

// The list's state drawn into the main window: the page's rows and the words a
// screen reader says for them, the page arrows and the total. A row carries its
// reminder's store index, which the commands read back from it.
class MainListRows {
public:
    MainListRows(const ReminderStore& store, const MainHost& host, const ListState& state,
                 QListWidget* lstLembretes, QLabel* lblTotalLembretes, PictureButton* imgAvanca,
                 PictureButton* imgRetorna);

    // The state's page, with no row selected.
    void render();
    // A row whose reminder changed in place.
    void setRow(int position, const Reminder& reminder, int storeIndex);

    // The store index of the selected row, read back from its text.
    std::optional<int> selectedStoreIndex() const;
    // The selected row's reminder, taken before the store changes under it.
    std::optional<Reminder> selectedReminder() const;

private:
    const ReminderStore& store_;
    const MainHost& host_;
    const ListState& state_;
    QListWidget* lstLembretes;
    QLabel* lblTotalLembretes;
    PictureButton* imgAvanca;
    PictureButton* imgRetorna;
};
