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

QString Reminder::markedLineBreaks(QString description)
{
    return description.replace(QStringLiteral("\r\n"), QString(kLineBreak));
}

bool Reminder::fitsLine(const Reminder& was) const
{
    auto fits = [](const QString& is, const QString& before, bool description) {
        return is == before || DataFile::carries(is, description);
    };
    return fits(posted, was.posted, false) && fits(due, was.due, false) &&
           fits(status, was.status, false) && fits(title, was.title, false) &&
           fits(description, was.description, true);
}

bool Reminder::fitsLine() const
{
    return DataFile::carries(posted, false) && DataFile::carries(due, false) &&
           DataFile::carries(status, false) && DataFile::carries(title, false) &&
           DataFile::carries(description, true);
}
