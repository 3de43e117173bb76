#include "AccessibleArea.h"

#include "Accessibility.h"

#include <QWidget>

AccessibleArea::AccessibleArea(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

QAccessibleInterface* AccessibleArea::standsFor() const
{
    // Asked at each call: the interface may have been made while the widget was
    // still being built.
    QWidget* stop = widget();
    QWidget* parent = stop->parentWidget();
    if (!parent || stop->focusPolicy() == Qt::NoFocus ||
        !stop->testAttribute(Qt::WA_TransparentForMouseEvents))
        return nullptr;
    // childAt passes over widgets that leave the mouse to what lies beneath.
    QWidget* under = parent->childAt(stop->geometry().center());
    return QAccessible::queryAccessibleInterface(under ? under : parent);
}

QAccessible::Role AccessibleArea::role() const
{
    if (QAccessibleInterface* control = standsFor())
        return control->role();
    return QAccessibleWidget::role();
}

QAccessible::State AccessibleArea::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const QAccessibleInterface* control = standsFor();
    if (Accessibility::outsideWindow(widget()) || (control && control->state().invisible))
        state.invisible = true;
    return state;
}

QString AccessibleArea::text(QAccessible::Text t) const
{
    if (QAccessibleInterface* control = standsFor())
        return control->text(t);
    return QAccessibleWidget::text(t);
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
    if (Accessibility::outsideWindow(widget()))
        return {};
    if (QAccessibleInterface* control = standsFor())
        return control->actionInterface() ? control->actionInterface()->actionNames()
                                          : QStringList();
    return QAccessibleWidget::actionNames();
}

void AccessibleArea::doAction(const QString& action)
{
    if (QAccessibleInterface* control = standsFor()) {
        if (control->actionInterface())
            control->actionInterface()->doAction(action);
        return;
    }
    QAccessibleWidget::doAction(action);
}
