#include "AccessiblePicture.h"

#include "Accessibility.h"
#include "PictureButton.h"

AccessiblePicture::AccessiblePicture(QWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Button)
{
}

bool AccessiblePicture::acts() const
{
    auto* button = qobject_cast<PictureButton*>(widget());
    return button && button->acts();
}

bool AccessiblePicture::offered() const
{
    return acts() && !widget()->isHidden() && !Accessibility::outsideWindow(widget());
}

QAccessible::Role AccessiblePicture::role() const
{
    return acts() ? QAccessible::Button : QAccessible::Graphic;
}

QAccessible::State AccessiblePicture::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (!offered())
        state.invisible = true;
    return state;
}

QString AccessiblePicture::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        if (!acts())
            return {};
        // The tooltips carry the layout's padding spaces.
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? widget()->toolTip().trimmed() : name;
    }
    case QAccessible::Description:
        // Not the tooltip, which is the name already.
        return widget()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessiblePicture::actionNames() const
{
    if (!offered())
        return {};
    return {pressAction()};
}

void AccessiblePicture::doAction(const QString& action)
{
    if (action != pressAction() || !offered())
        return;
    // Posted: the click may open a modal box or quit, which must not happen
    // inside the screen reader's call.
    QMetaObject::invokeMethod(static_cast<PictureButton*>(widget()), &PictureButton::clicked,
                              Qt::QueuedConnection);
}

QStringList AccessiblePicture::keyBindingsForAction(const QString&) const
{
    return {};
}
