#pragma once

#include "Reminder.h"

#include <QObject>
#include <QString>

#include <optional>

class ListState;
class MainHost;
class PictureButton;
class QLabel;
class QListWidget;
class QWidget;
class QModelIndex;
class Reminder;
class ReminderStore;
class WindowOwner;

// The main window's controls that show the list and act on it.
struct ListWidgets {
    QListWidget* lstLembretes = nullptr;
    QLabel* lblTotalLembretes = nullptr;
    PictureButton* imgAvanca = nullptr;
    PictureButton* imgRetorna = nullptr;
    PictureButton* imgSalvarRed = nullptr;
    PictureButton* imgApagar = nullptr;
    PictureButton* imgCopiar = nullptr;
};

// The main list at work: selection and the viewer, the status toggle, save,
// delete, copy, page turns and the arrow keys. The state lives in ListState;
// this class renders it and runs the commands.
class ListController : public QObject {
    Q_OBJECT
public:
    ListController(ReminderStore& store, WindowOwner& owner, MainHost& host, ListState& state,
                   const ListWidgets& widgets, QObject* parent = nullptr);

    // Renders the state's page, arrows and total into the list.
    void renderPage();
    // Makes a row the selected one from code and runs the selection for it.
    void selectRow(int position);

    // Reminders in store order: posted - title - description, one per line.
    static QString copyText(const ReminderStore& store);

    // The store index of the selected row, read back from its text.
    std::optional<int> selectedStoreIndex() const;
    // The selected row's reminder, taken before the store changes under it.
    std::optional<Reminder> selectedReminder() const;
    // The list changed elsewhere: the first page, the reminder that was selected
    // selected again when it is on it, the viewer refilled while it shows, or
    // closed when its reminder is gone. Nothing is shown, raised or activated,
    // the focus stays, and the selection handling does not run.
    void showChangedList(const std::optional<Reminder>& selected);

    void lstLembretes_Click();
    void lstLembretes_DblClick();
    void imgSalvarRed_Click();
    void imgApagar_Click();
    void imgCopiar_Click();
    void imgAvanca_Click();
    void imgRetorna_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPressed(const QModelIndex& index);
    // A page turned by its picture: the viewer of a row no longer shown closes.
    void turnPage(void (ListState::*turn)());
    // The same turn by a page key, the focus staying in the list.
    void turnPageByKey(void (ListState::*turn)());
    void keyDown(QEvent* event);
    // Space and the page keys, which the list's key rules and its own handling
    // never see. True when the key was one of them.
    bool ownKey(QEvent* event);
    // Runs the selection for a row the list selected by itself.
    void followListSelection();
    // Runs it for a row selected by neither a click, a key nor the program: a
    // screen reader's.
    void followOtherSelection();
    void setRow(int position, const Reminder& reminder, int storeIndex);

    ReminderStore& store_;
    WindowOwner& owner_;
    MainHost& host_;
    ListState& state_;
    ListWidgets w_;
    QWidget* viewport_ = nullptr;
    bool passingKey_ = false;
    // The row the selection handling last ran for on this page.
    std::optional<int> handled_;
};
