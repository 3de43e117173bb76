#pragma once

#include <QDate>
#include <QString>

// Dates as a screen reader is given them: "20/03/26" is read group by group, so a
// date that is read goes out in words. The file and the screen keep their forms.
namespace DateWords {

// "janeiro" to "dezembro", for months 1 to 12.
QString month(int month);
// "8 de dezembro de 2026".
QString date(const QDate& date);
// "sem vencimento", or "vence em 20 de março de 2026" with the century the due
// rule gives; a due text that is no date (a hand-edited file) stays as it stands.
QString due(const QString& due, const QDate& today);
// The date of a posting stamp ("26.03.14.09.05.00") in words, read in the same
// century window; a stamp that is no date stays as it stands.
QString posted(const QString& posted, const QDate& today);

} // namespace DateWords
