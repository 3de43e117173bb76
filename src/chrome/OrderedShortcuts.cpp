#include "OrderedShortcuts.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

OrderedShortcuts::OrderedShortcuts(QWidget* window) : QObject(window)
{
    watch(window);
}

void OrderedShortcuts::add(QKeyCombination keys, std::function<void()> act)
{
    commands_.append({keys, std::move(act)});
}

void OrderedShortcuts::watch(QObject* object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

const std::function<void()>* OrderedShortcuts::find(const QEvent* event) const
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    // The keypad's Enter is the same key to the user.
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    for (const auto& [keys, act] : commands_)
        if (keys.key() == key->key() && keys.keyboardModifiers() == modifiers)
            return &act;
    return nullptr;
}

bool OrderedShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::ShortcutOverride:
        // Ours: no shortcut and no widget's own handling of the key comes first.
        if (find(event)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (const std::function<void()>* act = find(event)) {
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
                (*act)();
            return true;
        }
        break;
    case QEvent::KeyRelease:
        return find(event) != nullptr;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
