#include "AccessibleRows.h"

#include "AccessibleRow.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPointer>

AccessibleRows::AccessibleRows(QWidget* widget) : QAccessibleWidget(widget, QAccessible::List) {}

AccessibleRows::~AccessibleRows()
{
    for (QAccessible::Id id : std::as_const(rows_))
        QAccessible::deleteAccessibleInterface(id);
}

QAbstractItemView* AccessibleRows::view() const
{
    return static_cast<QAbstractItemView*>(widget());
}

void* AccessibleRows::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int AccessibleRows::rowCount() const
{
    const QAbstractItemModel* model = view()->model();
    return model ? model->rowCount(view()->rootIndex()) : 0;
}

int AccessibleRows::childCount() const
{
    return rowCount();
}

QAccessibleInterface* AccessibleRows::child(int index) const
{
    if (index < 0 || index >= rowCount())
        return nullptr;
    auto found = rows_.constFind(index);
    if (found == rows_.constEnd())
        found = rows_.insert(
            index, QAccessible::registerAccessibleInterface(new AccessibleRow(view(), index)));
    return QAccessible::accessibleInterface(*found);
}

int AccessibleRows::indexOfChild(const QAccessibleInterface* child) const
{
    for (auto it = rows_.constBegin(); it != rows_.constEnd(); ++it)
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key() < rowCount() ? it.key() : -1;
    return -1;
}

QAccessibleInterface* AccessibleRows::childAt(int x, int y) const
{
    const QPoint at = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = view()->indexAt(at);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* AccessibleRows::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    if (!view()->hasFocus() || !current.isValid())
        return nullptr;
    return child(current.row());
}

QAccessibleInterface* AccessibleRows::cellAt(int row, int column) const
{
    return column == 0 ? child(row) : nullptr;
}

QList<QAccessibleInterface*> AccessibleRows::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (int row : selectedRows())
        cells.append(child(row));
    return cells;
}

QList<int> AccessibleRows::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel* selection = view()->selectionModel())
        for (const QModelIndex& index : selection->selectedIndexes())
            if (index.parent() == view()->rootIndex() && !rows.contains(index.row()))
                rows.append(index.row());
    return rows;
}

bool AccessibleRows::isRowSelected(int row) const
{
    return selectedRows().contains(row);
}

bool AccessibleRows::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    // Posted, and made current as a click makes it: whatever follows the view's
    // selection runs outside the screen reader's call.
    QPointer<QAbstractItemView> target(view());
    QMetaObject::invokeMethod(
        view(),
        [target, row] {
            if (target && target->model() && row < target->model()->rowCount(target->rootIndex()))
                target->setCurrentIndex(target->model()->index(row, 0, target->rootIndex()));
        },
        Qt::QueuedConnection);
    return true;
}

bool AccessibleRows::unselectRow(int row)
{
    if (!isRowSelected(row))
        return false;
    QPointer<QAbstractItemView> target(view());
    QMetaObject::invokeMethod(
        view(),
        [target, row] {
            if (target && target->model() && target->selectionModel())
                target->selectionModel()->select(
                    target->model()->index(row, 0, target->rootIndex()),
                    QItemSelectionModel::Deselect);
        },
        Qt::QueuedConnection);
    return true;
}

void AccessibleRows::modelChange(QAccessibleTableModelChangeEvent* event)
{
    // A row's words changed in place (a status toggled): tell the reader its new name.
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        return;
    for (int row = event->firstRow(); row <= event->lastRow(); ++row)
        if (rows_.contains(row) && row < rowCount()) {
            QAccessibleEvent changed(child(row), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
}
