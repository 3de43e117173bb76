#include "DueNotice.h"

#include "Reminder.h"
#include "ReminderStore.h"

DueNotice DueNotice::compose(const ReminderStore& store, const QList<DueRule::Item>& items,
                             const QDate& today)
{
    DueNotice notice;
    if (items.isEmpty())
        return notice;
    for (const DueRule::Item& item : items.first(qMin(items.size(), qsizetype(kMaxLines)))) {
        const Reminder reminder = store.reminderAt(item.row);
        if (items.size() == 1)
            notice.summary = reminder.title;
        notice.lines.append(
            item.due == today
                ? QStringLiteral("Vence hoje: ") + reminder.title
                : QStringLiteral("Venceu em %1: %2").arg(reminder.due, reminder.title));
    }
    if (items.size() > kMaxLines)
        notice.lines.append(QStringLiteral("e mais %1").arg(items.size() - kMaxLines));
    if (items.size() > 1)
        notice.summary = QStringLiteral("Lembretes vencendo");
    return notice;
}

QString DueNotice::body(bool markup) const
{
    const QString text = lines.join(u'\n');
    return markup ? text.toHtmlEscaped() : text;
}
