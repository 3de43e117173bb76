#include "VisibleRow.h"

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

QString spoken(const Reminder& reminder)
{
    QString words = reminder.title + QLatin1String(", ");
    words += reminder.due == Reminder::kNoDue ? QStringLiteral("sem vencimento")
                                              : QStringLiteral("vence em ") + reminder.due;
    if (reminder.status == Reminder::kDone)
        words += QStringLiteral(", concluído");
    return words;
}

} // namespace VisibleRow
