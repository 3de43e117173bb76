#include "Reminder.h"

#include <QDateTime>

QString Reminder::toRow() const
{
    return posted + kFieldSep + due + kFieldSep + status + kFieldSep + title + kFieldSep +
           description;
}

Reminder Reminder::fromRow(const QString& row)
{
    const QStringList f = row.split(kFieldSep);
    auto field = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };
    return {field(0), field(1), field(2), field(3), field(4)};
}

QString Reminder::stamp(const QDateTime& at)
{
    return at.toString(QStringLiteral("yy.MM.dd.HH.mm.ss"));
}
