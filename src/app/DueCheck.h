#pragma once

#include "DueNotice.h"

#include <QDate>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>

class Clock;
class ReminderStore;

// When to look for due reminders: once shortly after the main window first
// painted, then whenever the date has moved (a night left running, a suspend).
// Each date is checked at most once per run, so writes, toggles and deletes
// only change what a later check finds.
class DueCheck : public QObject {
    Q_OBJECT
public:
    using Send = std::function<void(const DueNotice&)>;
    static constexpr int kTickMs = 60 * 1000;

    DueCheck(const ReminderStore& store, const Clock& clock, Send send, QObject* parent = nullptr);

    // Checks today, then looks at the date at every tick.
    void start();
    // The once-a-minute look at the date; checks when it has changed.
    void tick();
    // Checks today now, unless today was checked already.
    void check();

    QTimer& ticks() { return ticks_; }

private:
    const ReminderStore& store_;
    const Clock& clock_;
    Send send_;
    QTimer ticks_;
    QDate lastDay_;
    QSet<QDate> checked_;
};
