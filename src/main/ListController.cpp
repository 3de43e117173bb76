#include "ListController.h"

#include "Activation.h"
#include "ListState.h"
#include "MainHost.h"
#include "PictureButton.h"
#include "Reminder.h"
#include "ReminderStore.h"
#include "RowAction.h"
#include "VisibleRow.h"
#include "WindowOwner.h"
#include "frm3_verLembrete.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

ListController::ListController(ReminderStore& store, WindowOwner& owner, MainHost& host,
                               ListState& state, const ListWidgets& widgets, QObject* parent)
    : QObject(parent), store_(store), owner_(owner), host_(host), state_(state), w_(widgets)
{
    QListWidget* list = w_.lstLembretes;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A press is a selection even on the row already selected: that reopens a
    // closed viewer. Rows changed by a refill or by gaining the focus are not.
    connect(list, &QAbstractItemView::pressed, this, &ListController::onPressed);
    connect(list, &QAbstractItemView::doubleClicked, this, &ListController::lstLembretes_DblClick);
    list->installEventFilter(this);
    // Keys and the mouse have their own moments for the selection handling. Any
    // other change is checked once the event that made it is over, when the
    // program has run the handling for its own changes.
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!passingKey_ && QGuiApplication::mouseButtons() == Qt::NoButton)
            QMetaObject::invokeMethod(this, &ListController::followOtherSelection,
                                      Qt::QueuedConnection);
    });
    // A screen reader's action on a row does what a double click on it does.
    connect(RowAction::install(list, QStringLiteral("Alternar concluído")), &RowAction::triggered,
            this, [this](int position) {
                if (position >= w_.lstLembretes->count())
                    return;
                selectRow(position);
                lstLembretes_DblClick();
            });
    // Kept, not asked for: events still come while the list is being destroyed.
    viewport_ = list->viewport();
    viewport_->installEventFilter(this);

    connect(w_.imgSalvarRed, &PictureButton::clicked, this, &ListController::imgSalvarRed_Click);
    connect(w_.imgApagar, &PictureButton::clicked, this, &ListController::imgApagar_Click);
    connect(w_.imgCopiar, &PictureButton::clicked, this, &ListController::imgCopiar_Click);
    connect(w_.imgAvanca, &PictureButton::clicked, this, &ListController::imgAvanca_Click);
    connect(w_.imgRetorna, &PictureButton::clicked, this, &ListController::imgRetorna_Click);
}

void ListController::renderPage()
{
    w_.lstLembretes->clear();
    for (int index : state_.page())
        w_.lstLembretes->addItem(VisibleRow::make(store_.reminderAt(index), index));
    // No current row either: the focus coming back, by Tab too, must not make one
    // up, and the first arrow key then starts at row 0. (Only the view's own
    // setter tells it that "none" was chosen.)
    w_.lstLembretes->setCurrentIndex(QModelIndex());
    w_.imgAvanca->setVisible(state_.avancaShown());
    w_.imgRetorna->setVisible(state_.retornaShown());
    w_.lblTotalLembretes->setText(QString::number(state_.total()));
    // The words a screen reader says for each row; no row of this page has been
    // through the selection handling yet.
    const QList<int>& page = state_.page();
    const QDate today = host_.today();
    for (int position = 0; position < page.size(); ++position)
        w_.lstLembretes->item(position)->setData(
            Qt::AccessibleTextRole,
            VisibleRow::spoken(store_.reminderAt(page.at(position)), today));
    handled_.reset();
}

void ListController::selectRow(int position)
{
    w_.lstLembretes->setCurrentRow(position);
    lstLembretes_Click();
}

void ListController::setRow(int position, const Reminder& reminder, int storeIndex)
{
    QListWidgetItem* item = w_.lstLembretes->item(position);
    item->setText(VisibleRow::make(reminder, storeIndex));
    item->setData(Qt::AccessibleTextRole, VisibleRow::spoken(reminder, host_.today()));
}

std::optional<int> ListController::selectedStoreIndex() const
{
    const auto position = state_.selected();
    if (!position)
        return std::nullopt;
    const QListWidgetItem* item = w_.lstLembretes->item(*position);
    return item ? VisibleRow::storeIndex(item->text()) : std::nullopt;
}

std::optional<Reminder> ListController::selectedReminder() const
{
    const auto k = selectedStoreIndex();
    if (!k || *k < 0 || *k >= store_.count())
        return std::nullopt;
    return store_.reminderAt(*k);
}

void ListController::showChangedList(const std::optional<Reminder>& selected)
{
    state_.showFirstPage(store_.count());
    renderPage();
    if (selected) {
        const int k = store_.indexOf(*selected);
        const int position = int(state_.page().indexOf(k));
        if (k >= 0 && position >= 0) {
            // Set from code, the row runs no selection handling: only a press does.
            w_.lstLembretes->setCurrentRow(position);
            state_.keepSelected(position);
        }
    }
    auto* viewer = owner_.find<frm3_verLembrete>(Secondary::VerLembrete);
    // One made at start-up that never showed a reminder is left alone.
    if (viewer && viewer->reminder() != Reminder{}) {
        const int k = store_.indexOf(viewer->reminder());
        if (k < 0)
            owner_.close(Secondary::VerLembrete);
        else if (viewer->isVisible())
            viewer->fill(store_.reminderAt(k));
    }
}

QString ListController::copyText(const ReminderStore& store)
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

void ListController::lstLembretes_Click()
{
    const int position = w_.lstLembretes->currentRow();
    if (position < 0)
        return;
    // A control-click can unselect the row in the list; the row stays the chosen one.
    w_.lstLembretes->item(position)->setSelected(true);
    state_.select(position);
    handled_ = position;
    const auto k = selectedStoreIndex();
    if (!k)
        return;
    const Reminder r = store_.reminderAt(*k);
    if (auto* viewer = owner_.get<frm3_verLembrete>(Secondary::VerLembrete))
        viewer->showReminder(r.posted, r.due, r.status, r.title, r.description);
    QWidget* main = host_.mainWindow();
    if (!main->isActiveWindow())
        Activation::request(main);
    w_.lstLembretes->setFocus(Qt::OtherFocusReason);
}

void ListController::lstLembretes_DblClick()
{
    const auto position = state_.selected();
    const auto k = selectedStoreIndex();
    if (!position || !k)
        return;
    // The row is rebuilt from the stored reminder rather than cut apart at double
    // spaces, so titles with spaces of their own come back exactly.
    Reminder r = store_.reminderAt(*k);
    r.status = ListState::toggledStatus(r.status);
    setRow(*position, r, *k);
    store_.setStatus(*k, r.status);
    // Also with a single row, where away and back are the same row: the viewer
    // must show the new status at once.
    for (int row : state_.toggleRefresh(*position))
        selectRow(row);
    host_.setUnsaved(true);
    // The row's new words are not heard: a screen reader says a row as the
    // keyboard reaches it, and a toggle moves nothing.
    host_.announce(r.title + QLatin1String(", ") + VisibleRow::spokenStatus(r.status));
}

void ListController::imgSalvarRed_Click()
{
    if (!host_.report(store_.saveAll()))
        return;
    host_.showFirstPage();
    host_.showMessage(QStringLiteral("Lista salva!"));
    host_.setUnsaved(false);
    host_.focusHolder();
}

void ListController::imgApagar_Click()
{
    const auto k = selectedStoreIndex();
    if (!k) {
        host_.askForSelection();
        return;
    }
    // By identity: the file may have changed since this row was shown.
    if (!host_.report(store_.deleteReminder(store_.reminderAt(*k))))
        return;
    host_.showFirstPage();
    host_.showMessage(QStringLiteral("Entrada apagada!"));
    owner_.close(Secondary::Escrever);
    owner_.close(Secondary::Atualizar);
    owner_.close(Secondary::VerLembrete);
    host_.focusHolder();
}

void ListController::imgCopiar_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString text = copyText(store_);
    host_.showMessage(QStringLiteral("Lista copiada!"));
    clipboard->setText(text);
}

void ListController::imgAvanca_Click()
{
    if (state_.avancaShown())
        turnPage(&ListState::showOlderPage);
}

void ListController::imgRetorna_Click()
{
    if (state_.retornaShown())
        turnPage(&ListState::showNewerPage);
}

void ListController::turnPage(void (ListState::*turn)())
{
    (state_.*turn)();
    renderPage();
    host_.focusHolder();
    owner_.close(Secondary::VerLembrete);
}

void ListController::turnPageByKey(void (ListState::*turn)())
{
    (state_.*turn)();
    renderPage();
    owner_.close(Secondary::VerLembrete);
}

void ListController::followListSelection()
{
    // The selected row, not the current one: gaining the focus makes a row
    // current without selecting it, and that is no selection.
    const QList<QListWidgetItem*> items = w_.lstLembretes->selectedItems();
    const int now = items.isEmpty() ? -1 : w_.lstLembretes->row(items.first());
    if (now >= 0 && std::optional<int>(now) != state_.selected())
        selectRow(now);
    else if (now < 0 && state_.selected())
        w_.lstLembretes->item(*state_.selected())->setSelected(true);
}

void ListController::followOtherSelection()
{
    const QList<QListWidgetItem*> items = w_.lstLembretes->selectedItems();
    if (items.isEmpty())
        return;
    const int now = w_.lstLembretes->row(items.first());
    if (std::optional<int>(now) != handled_)
        selectRow(now);
}

void ListController::onPressed(const QModelIndex& index)
{
    if (index.isValid())
        lstLembretes_Click();
}

void ListController::keyDown(QEvent* event)
{
    switch (state_.keyDown(static_cast<QKeyEvent*>(event)->key())) {
    case ListState::Turn::Older:
        renderPage();
        host_.focusHolder();
        break;
    case ListState::Turn::Newer:
        renderPage();
        host_.focusHolder();
        selectRow(0);
        break;
    case ListState::Turn::None:
        break;
    }
    // The list's own handling comes after the rule, whatever the rule did.
    passingKey_ = true;
    QCoreApplication::sendEvent(w_.lstLembretes, event);
    passingKey_ = false;
    followListSelection();
}

bool ListController::ownKey(QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int k = key->key();
    if (k != Qt::Key_Space && k != Qt::Key_PageDown && k != Qt::Key_PageUp)
        return false;
    if (event->type() != QEvent::KeyPress)
        return true;
    if (k == Qt::Key_Space) {
        // One toggle a press: a held key would flip the status back and forth.
        if (!key->isAutoRepeat())
            lstLembretes_DblClick();
    } else if (k == Qt::Key_PageDown) {
        if (state_.avancaShown())
            turnPageByKey(&ListState::showOlderPage);
    } else if (state_.retornaShown()) {
        turnPageByKey(&ListState::showNewerPage);
    }
    return true;
}

bool ListController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == w_.lstLembretes && !passingKey_) {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
            ownKey(event))
            return true;
        if (event->type() == QEvent::KeyPress) {
            keyDown(event);
            return true;
        }
        // X11 sends a release with every auto-repeat; only the real one counts.
        if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            if (const auto row = state_.keyUp())
                selectRow(*row);
        }
    } else if (watched == viewport_) {
        const QEvent::Type type = event->type();
        const bool mouseButton = type == QEvent::MouseButtonPress ||
                                 type == QEvent::MouseButtonDblClick ||
                                 type == QEvent::MouseButtonRelease;
        // Selecting, opening the viewer and the status toggle are the left button's.
        if (mouseButton && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
        // A press dragged onto another row moved the selection there.
        if (type == QEvent::MouseButtonRelease)
            followListSelection();
    }
    return QObject::eventFilter(watched, event);
}
