#include "MainListInput.h"

#include "ListState.h"
#include "MainListCommands.h"
#include "RowAction.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

MainListInput::MainListInput(ListState& state, MainListCommands& commands,
                             QListWidget* lstLembretes, QObject* parent)
    : QObject(parent), state_(state), commands_(commands), lstLembretes(lstLembretes)
{
    lstLembretes->setSelectionMode(QAbstractItemView::SingleSelection);
    // A press is a selection even on the row already selected: that reopens a
    // closed viewer. Rows changed by a refill or by gaining the focus are not.
    connect(lstLembretes, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        if (index.isValid())
            commands_.lstLembretes_Click(index.row());
    });
    connect(lstLembretes, &QAbstractItemView::doubleClicked, this,
            [this] { commands_.lstLembretes_DblClick(); });
    lstLembretes->installEventFilter(this);
    lstLembretes->viewport()->installEventFilter(this);
    // A change under a held button is the mouse's, taken at its release. Any
    // other is taken once the event that made it is over, when the program has
    // run the selection for its own changes.
    connect(lstLembretes->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            QMetaObject::invokeMethod(this, &MainListInput::takeListSelection,
                                      Qt::QueuedConnection);
    });
    // A screen reader's action on a row does what a double click on it does.
    connect(RowAction::install(lstLembretes, QStringLiteral("Alternar concluído")),
            &RowAction::triggered, this, [this](int position) {
                if (position >= this->lstLembretes->count())
                    return;
                commands_.lstLembretes_Click(position);
                commands_.lstLembretes_DblClick();
            });
}

void MainListInput::takeListSelection()
{
    // The selected row, not the current one: gaining the focus makes a row
    // current without selecting it, and that is no selection.
    const QList<QListWidgetItem*> items = lstLembretes->selectedItems();
    const int now = items.isEmpty() ? -1 : lstLembretes->row(items.first());
    if (now >= 0 && std::optional<int>(now) != state_.selected())
        commands_.lstLembretes_Click(now);
    else if (now < 0 && state_.selected())
        lstLembretes->item(*state_.selected())->setSelected(true);
}

void MainListInput::keyDown(QEvent* event)
{
    commands_.showTurnedPage(state_.keyDown(static_cast<QKeyEvent*>(event)->key()));
    // The list's own handling comes after the rule, whatever the rule did.
    passingKey_ = true;
    QCoreApplication::sendEvent(lstLembretes, event);
    passingKey_ = false;
    takeListSelection();
}

bool MainListInput::ownKey(QEvent* event)
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
            commands_.lstLembretes_DblClick();
    } else if (k == Qt::Key_PageDown) {
        commands_.olderPageByKey();
    } else {
        commands_.newerPageByKey();
    }
    return true;
}

bool MainListInput::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == lstLembretes && !passingKey_) {
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && ownKey(event))
            return true;
        if (type == QEvent::KeyPress) {
            keyDown(event);
            return true;
        }
        // X11 sends a release with every auto-repeat; only the real one counts.
        if (type == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            if (const auto row = state_.keyUp())
                commands_.lstLembretes_Click(*row);
        }
    } else if (watched == lstLembretes->viewport()) {
        const bool mouseButton = type == QEvent::MouseButtonPress ||
                                 type == QEvent::MouseButtonDblClick ||
                                 type == QEvent::MouseButtonRelease;
        // Selecting, opening the viewer and the status toggle are the left button's.
        if (mouseButton && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
        // A press dragged onto another row moved the selection there.
        if (type == QEvent::MouseButtonRelease)
            takeListSelection();
    }
    return QObject::eventFilter(watched, event);
}
