#include "Accessibility.h"

#include "AccessibleArea.h"
#include "AccessibleGatedText.h"
#include "AccessibleLabel.h"
#include "AccessiblePicture.h"
#include "AccessibleRows.h"

#include <QLabel>

namespace {

constexpr char kRole[] = "qrAccessibleRole";

// Keyed on the class name Qt asks with, from the object's own class up to
// QObject: asked before Qt's own factory, so a QLabel or a QListWidget gets ours.
QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // Asked first with the object's own class.
    if (className == QLatin1String(object->metaObject()->className())) {
        if (QAccessibleInterface* gated = AccessibleGatedText::wrap(object))
            return gated;
    }
    if (className == QLatin1String("PictureButton") ||
        className == QLatin1String("PageBackground") || className == QLatin1String("PageRule"))
        return new AccessiblePicture(widget);
    if (className == QLatin1String("QLabel"))
        return new AccessibleLabel(widget);
    if (className == QLatin1String("QListWidget"))
        return new AccessibleRows(widget);
    if (className == QLatin1String("QFrame"))
        return new AccessibleArea(widget, QAccessible::Border);
    if (className == QLatin1String("QWidget")) {
        // A frameless page is still a window to the reader, named by its title.
        if (widget->isWindow())
            return new QAccessibleWidget(widget, QAccessible::Window);
        return new AccessibleArea(widget, QAccessible::Client);
    }
    return nullptr;
}

} // namespace

namespace Accessibility {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

void setLabelRole(QLabel* label, QAccessible::Role role)
{
    label->setProperty(kRole, int(role));
}

QAccessible::Role labelRole(const QLabel* label)
{
    const QVariant role = label->property(kRole);
    return role.isValid() ? QAccessible::Role(role.toInt()) : QAccessible::StaticText;
}

bool outsideWindow(const QWidget* widget)
{
    const QWidget* window = widget->window();
    if (window == widget)
        return false;
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return !window->rect().intersects(inWindow);
}

} // namespace Accessibility
