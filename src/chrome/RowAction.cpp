#include "RowAction.h"

#include <QAbstractItemView>

RowAction* RowAction::install(QAbstractItemView* view, const QString& name)
{
    return new RowAction(view, name);
}

RowAction* RowAction::of(const QAbstractItemView* view)
{
    return view->findChild<RowAction*>(QString(), Qt::FindDirectChildrenOnly);
}

RowAction::RowAction(QAbstractItemView* view, const QString& name) : QObject(view), name_(name) {}
