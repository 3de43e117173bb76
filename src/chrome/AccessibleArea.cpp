#include "AccessibleArea.h"

#include "Accessibility.h"

AccessibleArea::AccessibleArea(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

QAccessible::State AccessibleArea::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (Accessibility::outsideWindow(widget()))
        state.invisible = true;
    return state;
}

int AccessibleArea::childCount() const
{
    return Accessibility::outsideWindow(widget()) ? 0 : QAccessibleWidget::childCount();
}

QAccessibleInterface* AccessibleArea::child(int index) const
{
    return Accessibility::outsideWindow(widget()) ? nullptr : QAccessibleWidget::child(index);
}

QStringList AccessibleArea::actionNames() const
{
    return Accessibility::outsideWindow(widget()) ? QStringList()
                                                  : QAccessibleWidget::actionNames();
}
