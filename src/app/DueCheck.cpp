#include "DueCheck.h"

#include "Clock.h"
#include "DueRule.h"
#include "ReminderStore.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

DueCheck::DueCheck(const ReminderStore& store, const Clock& clock, Send send, QObject* parent)
    : QObject(parent), store_(store), clock_(clock), send_(std::move(send))
{
    ticks_.setInterval(kTickMs);
    connect(&ticks_, &QTimer::timeout, this, &DueCheck::tick);
}

void DueCheck::startAfterPaint(QWidget* window)
{
    if (window->windowHandle() && window->windowHandle()->isExposed())
        firstCheckSoon();
    else
        window->installEventFilter(this);
}

bool DueCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        firstCheckSoon();
    }
    return QObject::eventFilter(watched, event);
}

void DueCheck::firstCheckSoon()
{
    // Queued, so the check runs after the paint reached the screen.
    QTimer::singleShot(0, this, [this] {
        check();
        ticks_.start();
    });
}

void DueCheck::tick()
{
    if (lastDay_.isValid() && clock_.now().date() != lastDay_)
        check();
}

void DueCheck::check()
{
    const QDate today = clock_.now().date();
    lastDay_ = today;
    if (checked_.contains(today))
        return;
    checked_.insert(today);
    const DueNotice notice = DueNotice::compose(store_, DueRule::scan(store_.rows(), today), today);
    if (!notice.isEmpty() && send_)
        send_(notice);
}
