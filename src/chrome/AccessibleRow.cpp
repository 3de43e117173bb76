#include "AccessibleRow.h"

#include "RowAction.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

AccessibleRow::AccessibleRow(QAbstractItemView* view, int row) : view_(view), row_(row) {}

QModelIndex AccessibleRow::index() const
{
    if (!view_ || !view_->model())
        return {};
    return view_->model()->index(row_, 0, view_->rootIndex());
}

bool AccessibleRow::isValid() const
{
    return index().isValid();
}

QWindow* AccessibleRow::window() const
{
    return view_ ? view_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleRow::parent() const
{
    return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr;
}

QString AccessibleRow::text(QAccessible::Text t) const
{
    const QModelIndex i = index();
    if (!i.isValid())
        return {};
    switch (t) {
    case QAccessible::Name: {
        const QString words = i.data(Qt::AccessibleTextRole).toString();
        return words.isEmpty() ? i.data(Qt::DisplayRole).toString() : words;
    }
    case QAccessible::Description:
        return i.data(Qt::AccessibleDescriptionRole).toString();
    default:
        return {};
    }
}

QRect AccessibleRow::rect() const
{
    const QModelIndex i = index();
    if (!i.isValid())
        return {};
    const QRect r = view_->visualRect(i);
    return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State AccessibleRow::state() const
{
    QAccessible::State state;
    const QModelIndex i = index();
    if (!i.isValid()) {
        state.invisible = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = view_->hasFocus() && view_->currentIndex() == i;
    if (!view_->viewport()->rect().intersects(view_->visualRect(i)))
        state.offscreen = true;
    return state;
}

void* AccessibleRow::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    if (t == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

QStringList AccessibleRow::actionNames() const
{
    if (!isValid() || !RowAction::of(view_))
        return {};
    return {toggleAction()};
}

QString AccessibleRow::localizedActionName(const QString& action) const
{
    const RowAction* rowAction = view_ ? RowAction::of(view_) : nullptr;
    if (action == toggleAction() && rowAction)
        return rowAction->name();
    return QAccessibleActionInterface::localizedActionName(action);
}

void AccessibleRow::doAction(const QString& action)
{
    RowAction* rowAction = view_ ? RowAction::of(view_) : nullptr;
    if (action != toggleAction() || !rowAction || !isValid())
        return;
    QMetaObject::invokeMethod(
        rowAction, [rowAction, row = row_] { emit rowAction->triggered(row); },
        Qt::QueuedConnection);
}

bool AccessibleRow::isSelected() const
{
    const QModelIndex i = index();
    return i.isValid() && view_->selectionModel() && view_->selectionModel()->isSelected(i);
}
