#include "WindowOwner.h"

#include <QEvent>

QPoint WindowOwner::besideMain(const QRect& mainGeometry, int width)
{
    return {mainGeometry.x() - width - kGap, mainGeometry.y()};
}

void WindowOwner::enlist(Secondary id, OwnedSlot* slot)
{
    Q_ASSERT(!slots_[static_cast<std::size_t>(id)]);
    slots_[static_cast<std::size_t>(id)] = slot;
}

OwnedSlot& WindowOwner::slot(Secondary id) const
{
    OwnedSlot* enlisted = slots_[static_cast<std::size_t>(id)];
    Q_ASSERT(enlisted);
    return *enlisted;
}

void WindowOwner::adopt(PageWindow* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
}

PageWindow& WindowOwner::get(Secondary id)
{
    return slot(id).page();
}

PageWindow* WindowOwner::find(Secondary id) const
{
    return slot(id).openPage();
}

void WindowOwner::close(Secondary id)
{
    if (PageWindow* window = find(id))
        window->close();
}

void WindowOwner::closeAll()
{
    for (Secondary id : kAllSecondary)
        close(id);
}

void WindowOwner::makeAll()
{
    for (Secondary id : kAllSecondary)
        get(id);
}

void WindowOwner::hideAll()
{
    for (Secondary id : kAllSecondary)
        get(id).hide();
}

void WindowOwner::moveBeside(QWidget& window, const QWidget* main)
{
    window.move(besideMain(main->geometry(), window.width()));
}

void WindowOwner::place(Secondary id, const QWidget* main)
{
    moveBeside(get(id), main);
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
        if (PageWindow* window = find(id); window && window->isVisible())
            round.append(window);
    // From a window outside the round (none, or a message box) to the main window.
    const qsizetype at = round.indexOf(current);
    return at < 0 ? main : round.at((at + 1) % round.size());
}

bool WindowOwner::eventFilter(QObject* watched, QEvent* event)
{
    // Forget at once, not when the deferred delete runs, so a use in the same
    // handler already builds a fresh window.
    if (event->type() == QEvent::Close) {
        for (OwnedSlot* enlisted : slots_)
            if (enlisted && enlisted->openPage() == watched)
                enlisted->forget();
    }
    return QObject::eventFilter(watched, event);
}
