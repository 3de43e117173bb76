#include "DueCheck.h"

#include "Clock.h"
#include "DueRule.h"
#include "ReminderStore.h"

DueCheck::DueCheck(const ReminderStore& store, const Clock& clock, Send send, QObject* parent)
    : QObject(parent), store_(store), clock_(clock), send_(std::move(send))
{
    ticks_.setInterval(kTickMs);
    connect(&ticks_, &QTimer::timeout, this, &DueCheck::tick);
}

void DueCheck::start()
{
    check();
    ticks_.start();
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
