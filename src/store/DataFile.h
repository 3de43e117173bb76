#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <functional>

// The bytes of lembretes.dat: one quoted Windows-1252 text, one line per reminder,
// fields joined by "§", "¤" for a double quote and "¥" for a line break.
namespace DataFile {

// The bytes with a role of their own.
constexpr char kQuote = '"';            // opens and closes the file
constexpr char kSeparator = '\xA7';     // "§", between two fields
constexpr char kQuoteMark = '\xA4';     // "¤", a double quote in a field
constexpr char kLineBreakMark = '\xA5'; // "¥", a line break in a field
constexpr char kCR = '\r';
constexpr char kLF = '\n';
// Ends every line; a line ends at the first one.
constexpr QByteArrayView kLineBreak("\r\n", 2);
constexpr int kFields = 5;
// A row read, as the program holds it: its fields joined by TAB, the marks
// read as the characters they are.
constexpr char16_t kRowSeparator = u'\t';

// Every row starts with its posting stamp "yy.mm.dd.hh.mm.ss": six parts of two
// digits, each but the first after a dot.
constexpr int kStampParts = 6;
constexpr qsizetype kStampPartSize = 2;
constexpr char kStampDot = '.';
constexpr qsizetype kStampSize = kStampParts * (kStampPartSize + 1) - 1;
constexpr qsizetype stampPartAt(int part)
{
    return part * (kStampPartSize + 1);
}

// Two decimal digits, as a stamp's parts and a due date's are written, as a
// number; -1 when they are not. Read in place from bytes or from a text.
template <typename Char> constexpr int twoDigits(const Char* p)
{
    // Below '0' wraps past 9 unsigned: one compare a digit.
    const unsigned tens = unsigned(p[0] - '0'), units = unsigned(p[1] - '0');
    return tens > 9 || units > 9 ? -1 : int(tens * 10 + units);
}

// The file a first start creates: a quoted text holding one CR LF.
inline const QByteArray kFreshFile = QByteArrayLiteral("\"\r\n\"\r\n");

// The file as the program reads it. One that is entirely valid UTF-8 and holds
// multi-byte sequences was saved so by an editor and comes back in the program's
// code page; the program's own files never are, since "§" alone is byte A7.
QByteArray fromEditorUtf8(QByteArray bytes);

// Cut short while another program writes it: empty, or without its opening or
// closing quote.
bool isHalfWritten(QByteArrayView bytes);

// Every row is followed by CR LF, except the last one when lastWithoutBreak is
// set (how an append leaves the file). The program writes through RowList; this
// stays beside the escaping it shares, for tests, the fuzzer and the
// benchmarks to write files as a save does and to check saves against.
QByteArray serialize(const QStringList& rows, bool lastWithoutBreak = false);

// Each line of a file that holds a row, in file order, quotes still in: blank
// and space-only lines are skipped.
void forEachLine(QByteArrayView bytes, const std::function<void(QByteArrayView line)>& visit);
// The row one line reads as: at most five fields, missing fields read as empty
// texts and a TAB as a space.
QString row(QByteArrayView line);

// Whether a field of a reminder being written can stand in its line and read
// back the same: none of the characters with a role in a line or a row (the
// separator, the quote mark, TAB, CR, LF), no other control character, nothing
// the code page lacks. The line-break mark, and a CR LF written as it, belong to
// the description alone.
bool carries(QStringView field, bool description);
// The field without what its line cannot carry.
QString carried(QStringView field, bool description);

// The bytes a save writes for a line or a row: no quote, no TAB, exactly five
// fields, and they read back as the same row. A line in that form stays as it is.
bool isWrittenForm(QByteArrayView line);
QByteArray writtenForm(QByteArrayView line);
QByteArray writtenForm(const QString& row);

} // namespace DataFile
