#include "AccessibleLabel.h"

#include "Accessibility.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTextDocumentFragment>

namespace {

// A left press and release over the middle of the widget: whatever handles its
// mouse handles the click, exactly as for the user's.
void click(QWidget* widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QPointer<QWidget> target(widget);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    if (!target)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

AccessibleLabel::AccessibleLabel(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::StaticText)
{
}

QLabel* AccessibleLabel::label() const
{
    return static_cast<QLabel*>(widget());
}

bool AccessibleLabel::acts() const
{
    const QAccessible::Role role = Accessibility::labelRole(label());
    return role == QAccessible::Button || role == QAccessible::Link;
}

bool AccessibleLabel::offered() const
{
    return !widget()->isHidden() && !Accessibility::outsideWindow(widget()) &&
           !text(QAccessible::Name).isEmpty();
}

QAccessible::Role AccessibleLabel::role() const
{
    return Accessibility::labelRole(label());
}

QAccessible::State AccessibleLabel::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (acts() && !offered())
        state.invisible = true;
    return state;
}

QString AccessibleLabel::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        QString name = widget()->accessibleName();
        if (name.isEmpty()) {
            name = label()->text();
            if (label()->textFormat() != Qt::PlainText && Qt::mightBeRichText(name))
                name = QTextDocumentFragment::fromHtml(name).toPlainText();
        }
        return name.trimmed();
    }
    case QAccessible::Description:
        return widget()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessibleLabel::actionNames() const
{
    if (!acts() || !offered())
        return {};
    return {pressAction()};
}

void AccessibleLabel::doAction(const QString& action)
{
    if (action != pressAction() || !acts() || !offered())
        return;
    // Posted, never run inside the screen reader's call.
    QPointer<QWidget> target(widget());
    QMetaObject::invokeMethod(
        widget(),
        [target] {
            if (target)
                click(target);
        },
        Qt::QueuedConnection);
}

QStringList AccessibleLabel::keyBindingsForAction(const QString&) const
{
    return {};
}
