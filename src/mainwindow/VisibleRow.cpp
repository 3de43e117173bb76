#include "VisibleRow.h"

#include "DateWords.h"
#include "Reminder.h"

namespace VisibleRow {

QString make(const Reminder& reminder, int storeIndex)
{
    return reminder.due + QLatin1String("  ") + reminder.status + QLatin1String("  ") +
           reminder.title + QLatin1String("\t\t\t\t") + QString::number(storeIndex);
}

std::optional<int> storeIndex(const QString& visibleRow)
{
    // The index is the last thing in the row, so read it from the end: a hand-made
    // due text with two spaces in it cannot shift it onto another reminder.
    const qsizetype tab = visibleRow.lastIndexOf(u'\t');
    if (tab < 0)
        return std::nullopt;
    bool ok = false;
    const int index = visibleRow.mid(tab + 1).toInt(&ok);
    if (!ok || index < 0)
        return std::nullopt;
    return index;
}

QString spoken(const Reminder& reminder, const QDate& today)
{
    const QString comma = QStringLiteral(", ");
    return reminder.title + comma + DateWords::due(reminder.due, today) + comma +
           spokenStatus(reminder.status);
}

QString spokenStatus(const QString& status)
{
    return status == Reminder::kDone ? QStringLiteral("concluído")
                                     : QStringLiteral("não concluído");
}

} // namespace VisibleRow
