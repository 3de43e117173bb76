#include "WindowOwner.h"

#include <QEvent>

namespace {
std::size_t slot(Secondary id)
{
    return static_cast<std::size_t>(id);
}
} // namespace

QPoint WindowOwner::besideMain(const QRect& mainGeometry, int width)
{
    return {mainGeometry.x() - width - kGap, mainGeometry.y()};
}

void WindowOwner::setFactory(Secondary id, Factory factory)
{
    factories_[slot(id)] = std::move(factory);
}

QWidget* WindowOwner::get(Secondary id)
{
    auto& window = windows_[slot(id)];
    if (!window && factories_[slot(id)]) {
        window = factories_[slot(id)]();
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->installEventFilter(this);
    }
    return window;
}

QWidget* WindowOwner::find(Secondary id) const
{
    return windows_[slot(id)];
}

void WindowOwner::close(Secondary id)
{
    if (QWidget* window = find(id))
        window->close();
}

void WindowOwner::closeAll()
{
    for (Secondary id : kAllSecondary)
        close(id);
}

void WindowOwner::hideAll()
{
    for (Secondary id : kAllSecondary)
        if (QWidget* window = get(id))
            window->hide();
}

void WindowOwner::place(Secondary id, const QWidget* main)
{
    if (QWidget* window = get(id))
        window->move(besideMain(main->geometry(), window->width()));
}

void WindowOwner::dockAll(const QWidget* main)
{
    for (Secondary id : kAllSecondary)
        place(id, main);
}

QWidget* WindowOwner::nextShown(QWidget* main, const QWidget* current) const
{
    QList<QWidget*> round{main};
    for (Secondary id : kAllSecondary)
        if (QWidget* window = find(id); window && window->isVisible())
            round.append(window);
    // From a window outside the round (none, or a message box) to the main window.
    const qsizetype at = round.indexOf(current);
    return at < 0 ? main : round.at((at + 1) % round.size());
}

bool WindowOwner::eventFilter(QObject* watched, QEvent* event)
{
    // Forget at once, not when the deferred delete runs, so a use in the same
    // handler already builds a fresh window.
    if (event->type() == QEvent::Close)
        forget(qobject_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void WindowOwner::forget(QWidget* window)
{
    for (auto& slotted : windows_)
        if (slotted == window)
            slotted.clear();
}
