#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Reminder;

// The text of a row of the visible list: due, two spaces, status, two spaces,
// title, four TABs and the reminder's store index. Only the text before the
// first TAB is drawn (PaperDelegate); commands read the index back from the end.
namespace VisibleRow {

QString make(const Reminder& reminder, int storeIndex);
// The store index a row carries, or nothing for a row that carries none.
std::optional<int> storeIndex(const QString& visibleRow);
// The row as a screen reader says it: words, not the symbols drawn.
QString spoken(const Reminder& reminder, const QDate& today);
// "concluído" or "não concluído".
QString spokenStatus(const QString& status);

} // namespace VisibleRow
