#pragma once

#include "DueRule.h"

#include <QString>
#include <QStringList>

class ReminderStore;

// The text that announces the due reminders: a summary and one line per
// reminder, at most five and then how many more.
struct DueNotice {
    static constexpr int kMaxLines = 5;

    QString summary;
    QStringList lines;

    // items as DueRule::scan lists them; empty items give an empty notice.
    static DueNotice compose(const ReminderStore& store, const QList<DueRule::Item>& items,
                             const QDate& today);
    // The lines as one text; escaped for a server that reads the body as markup.
    QString body(bool markup = false) const;
    bool isEmpty() const { return lines.isEmpty(); }
};
