#include "DataFile.h"

#include "Cp1252.h"
#include "Reminder.h"

namespace {

constexpr char kQuote = '"';
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kSection = '\xA7';  // §
constexpr char kCurrency = '\xA4'; // ¤
constexpr char kYen = '\xA5';      // ¥
constexpr int kFields = 5;

void appendEscaped(QByteArray& out, const QString& row)
{
    const QChar* p = row.constData();
    const QChar* end = p + row.size();
    for (; p != end; ++p) {
        const char16_t u = p->unicode();
        if (u == u'\t') {
            out += kSection;
        } else if (u == u'"') {
            out += kCurrency;
        } else if (u == u'\r' && p + 1 != end && p[1] == u'\n') {
            out += kYen;
            ++p;
        } else {
            char b;
            out += Cp1252::fromUnicode(*p, b) ? b : '?';
        }
    }
}

QString rowFromLine(QByteArrayView line)
{
    QString row;
    row.reserve(line.size() + kFields);
    int field = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size() && field < kFields; ++i) {
        // A TAB typed into the file by hand would split the in-memory row anyway:
        // reading it as a field separator keeps every row at five fields.
        if (i == line.size() || line[i] == kSection || line[i] == '\t') {
            if (field > 0)
                row += Reminder::kFieldSep;
            row += Cp1252::decode(line.sliced(start, i - start));
            ++field;
            start = i + 1;
        }
    }
    for (; field < kFields; ++field)
        row += Reminder::kFieldSep;
    return row;
}

bool blank(QByteArrayView line)
{
    for (char c : line)
        if (c != ' ')
            return false;
    return true;
}

} // namespace

namespace DataFile {

QByteArray serialize(const QStringList& rows, bool lastWithoutBreak)
{
    qsizetype size = 4;
    for (const QString& r : rows)
        size += r.size() + 2;
    QByteArray out;
    out.reserve(size);
    out += kQuote;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        appendEscaped(out, rows.at(i));
        if (!(lastWithoutBreak && i == rows.size() - 1))
            out += "\r\n";
    }
    out += "\"\r\n";
    return out;
}

QStringList parse(QByteArrayView bytes)
{
    // Quotes go first, then "¤" becomes a quote, so restored quotes survive;
    // lines split only at CR LF pairs left after the quotes are gone.
    QByteArray text;
    text.reserve(bytes.size() + 2);
    for (char c : bytes)
        if (c != kQuote)
            text += (c == kCurrency) ? kQuote : c;
    if (!bytes.endsWith("\r\n"))
        text += "\r\n";

    QStringList rows;
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == kCR && text[i + 1] == kLF) {
            const QByteArrayView line(text.constData() + start, i - start);
            if (!blank(line))
                rows.append(rowFromLine(line));
            start = i + 2;
            ++i;
        }
    }
    return rows;
}

} // namespace DataFile
