#include "MainListRows.h"

#include "ListState.h"
#include "MainHost.h"
#include "PictureButton.h"
#include "ReminderStore.h"
#include "VisibleRow.h"

#include <QLabel>
#include <QListWidget>

MainListRows::MainListRows(const ReminderStore& store, const MainHost& host, const ListState& state,
                           QListWidget* lstLembretes, QLabel* lblTotalLembretes,
                           PictureButton* imgAvanca, PictureButton* imgRetorna)
    : store_(store), host_(host), state_(state), lstLembretes(lstLembretes),
      lblTotalLembretes(lblTotalLembretes), imgAvanca(imgAvanca), imgRetorna(imgRetorna)
{
}

void MainListRows::render()
{
    lstLembretes->clear();
    for (int index : state_.page())
        lstLembretes->addItem(VisibleRow::make(store_.reminderAt(index), index));
    // No current row either: the focus coming back, by Tab too, must not make one
    // up, and the first arrow key then starts at row 0. (Only the view's own
    // setter tells it that "none" was chosen.)
    lstLembretes->setCurrentIndex(QModelIndex());
    imgAvanca->setVisible(state_.avancaShown());
    imgRetorna->setVisible(state_.retornaShown());
    lblTotalLembretes->setText(QString::number(state_.total()));
    const QList<int>& page = state_.page();
    const QDate today = host_.today();
    for (int position = 0; position < page.size(); ++position)
        lstLembretes->item(position)->setData(
            Qt::AccessibleTextRole,
            VisibleRow::spoken(store_.reminderAt(page.at(position)), today));
}

void MainListRows::setRow(int position, const Reminder& reminder, int storeIndex)
{
    QListWidgetItem* item = lstLembretes->item(position);
    item->setText(VisibleRow::make(reminder, storeIndex));
    item->setData(Qt::AccessibleTextRole, VisibleRow::spoken(reminder, host_.today()));
}

std::optional<int> MainListRows::selectedStoreIndex() const
{
    const auto position = state_.selected();
    if (!position)
        return std::nullopt;
    const QListWidgetItem* item = lstLembretes->item(*position);
    return item ? VisibleRow::storeIndex(item->text()) : std::nullopt;
}

std::optional<Reminder> MainListRows::selectedReminder() const
{
    const auto k = selectedStoreIndex();
    if (!k || *k < 0 || *k >= store_.count())
        return std::nullopt;
    return store_.reminderAt(*k);
}
