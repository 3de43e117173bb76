#include "DateWords.h"

#include "DueRule.h"
#include "Reminder.h"

#include <array>

namespace {

const std::array<QString, 12> kMonths = {
    QStringLiteral("janeiro"), QStringLiteral("fevereiro"), QStringLiteral("março"),
    QStringLiteral("abril"),   QStringLiteral("maio"),      QStringLiteral("junho"),
    QStringLiteral("julho"),   QStringLiteral("agosto"),    QStringLiteral("setembro"),
    QStringLiteral("outubro"), QStringLiteral("novembro"),  QStringLiteral("dezembro")};

} // namespace

namespace DateWords {

QString month(int month)
{
    return kMonths.at(std::size_t(month - 1));
}

QString date(const QDate& date)
{
    const QString de = QStringLiteral(" de ");
    return QString::number(date.day()) + de + month(date.month()) + de +
           QString::number(date.year());
}

QString due(const QString& due, const QDate& today)
{
    if (due == Reminder::kNoDue || due.trimmed().isEmpty())
        return QStringLiteral("sem vencimento");
    const QDate when = DueRule::dateOf(due, today);
    return QStringLiteral("vence em ") + (when.isValid() ? date(when) : due);
}

QString posted(const QString& posted, const QDate& today)
{
    // yy.mm.dd, read as the due rule reads dd/mm/yy.
    const QString asDue = posted.mid(6, 2) + u'/' + posted.mid(3, 2) + u'/' + posted.left(2);
    const QDate when = posted.size() >= 8 && posted.at(2) == u'.' && posted.at(5) == u'.'
                           ? DueRule::dateOf(asDue, today)
                           : QDate();
    return when.isValid() ? date(when) : posted;
}

} // namespace DateWords
