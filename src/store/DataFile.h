#pragma once

#include <QByteArray>
#include <QStringList>

// The bytes of lembretes.dat: one quoted Windows-1252 text, one line per reminder,
// fields joined by "§", "¤" for a double quote and "¥" for a line break.
namespace DataFile {

// The file a first start creates: a quoted text holding one CR LF.
inline const QByteArray kFreshFile = QByteArrayLiteral("\"\r\n\"\r\n");

// Every row is followed by CR LF, except the last one when lastWithoutBreak is
// set (how an append leaves the file).
QByteArray serialize(const QStringList& rows, bool lastWithoutBreak = false);

// Rows in file order; blank and space-only lines are skipped, fields end at a
// "§" or a TAB, a line keeps at most five fields and missing fields read as empty texts.
QStringList parse(QByteArrayView bytes);

} // namespace DataFile
