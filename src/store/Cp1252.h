#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, total in both directions: the five bytes the code page leaves
// undefined map to the C1 code points of the same value, so any file round-trips.
namespace Cp1252 {

QChar toUnicode(unsigned char byte);
// Returns false for a character the code page cannot hold.
bool fromUnicode(QChar ch, char& byte);
QString decode(QByteArrayView bytes);
// Characters the code page cannot hold become '?'.
QByteArray encode(QStringView text);
bool canEncode(QChar ch);

} // namespace Cp1252
