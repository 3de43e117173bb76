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

// Writes one row at dst and returns the end; a character never takes more than
// one byte, so the caller sizes the buffer by the row's length.
char* writeEscaped(char* dst, const QString& row)
{
    const QChar* p = row.constData();
    const QChar* end = p + row.size();
    for (; p != end; ++p) {
        const char16_t u = p->unicode();
        if (u == u'\t') {
            *dst++ = kSection;
        } else if (u == u'"') {
            *dst++ = kCurrency;
        } else if (u == u'\r' && p + 1 != end && p[1] == u'\n') {
            *dst++ = kYen;
            ++p;
        } else if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *dst++ = static_cast<char>(u);
        } else {
            char b;
            *dst++ = Cp1252::fromUnicode(*p, b) ? b : '?';
        }
    }
    return dst;
}

bool blank(QByteArrayView line)
{
    for (char c : line)
        if (c != ' ')
            return false;
    return true;
}

// One file line (quotes already gone, "¤" already a quote) as a row of exactly
// five fields. A TAB typed into the file by hand reads as a space: as a field
// separator it would shift the fields and lose the last one at the next write.
QString rowFromLine(QByteArrayView line)
{
    QString row(line.size() + kFields - 1, Qt::Uninitialized);
    QChar* out = row.data();
    int separators = 0;
    for (char c : line) {
        if (c == kSection) {
            if (separators == kFields - 1)
                break;
            *out++ = Reminder::kFieldSep;
            ++separators;
        } else if (c == '\t') {
            *out++ = QChar(u' ');
        } else {
            *out++ = Cp1252::toUnicode(static_cast<unsigned char>(c));
        }
    }
    for (; separators < kFields - 1; ++separators)
        *out++ = Reminder::kFieldSep;
    row.truncate(out - row.constData());
    return row;
}

} // namespace

namespace DataFile {

QByteArray serialize(const QStringList& rows, bool lastWithoutBreak)
{
    qsizetype size = 4;
    for (const QString& r : rows)
        size += r.size() + 2;
    QByteArray out(size, Qt::Uninitialized);
    char* dst = out.data();
    *dst++ = kQuote;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        dst = writeEscaped(dst, rows.at(i));
        if (!(lastWithoutBreak && i == rows.size() - 1)) {
            *dst++ = kCR;
            *dst++ = kLF;
        }
    }
    *dst++ = kQuote;
    *dst++ = kCR;
    *dst++ = kLF;
    out.truncate(dst - out.constData());
    return out;
}

QStringList parse(QByteArrayView bytes)
{
    // Quotes go first, then "¤" becomes a quote, so restored quotes survive; lines
    // split only at CR LF pairs left after the quotes are gone, and a last line
    // without CR LF still counts.
    QStringList rows;
    QByteArray line;
    line.reserve(256);
    auto finish = [&rows, &line] {
        if (!blank(line))
            rows.append(rowFromLine(line));
        line.resize(0);
    };
    for (char c : bytes) {
        if (c == kQuote)
            continue;
        if (c == kLF && !line.isEmpty() && line.back() == kCR) {
            line.chop(1);
            finish();
        } else {
            line.append(c == kCurrency ? kQuote : c);
        }
    }
    finish();
    return rows;
}

} // namespace DataFile
