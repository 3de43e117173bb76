#include "DataFile.h"

#include "Cp1252.h"

#include <cstdint>
#include <cstring>

namespace {

using namespace DataFile;

// The byte each of the first 256 code points is written as, or 0 where the
// character needs a closer look (TAB, quote, CR, and the C1 range, where the
// code page places other characters).
struct WriteTable {
    unsigned char of[256];
};

WriteTable makeWriteTable()
{
    WriteTable t{};
    for (int u = 1; u < 256; ++u)
        t.of[u] = (u < 0x80 || u >= 0xA0) ? static_cast<unsigned char>(u) : 0;
    t.of[u'\t'] = t.of[u'"'] = t.of[u'\r'] = 0;
    return t;
}

// Writes one row at dst and returns the end; a character never takes more than
// one byte, so the caller sizes the buffer by the row's length.
char* writeEscaped(char* dst, const QString& row)
{
    static const WriteTable table = makeWriteTable();
    const QChar* p = row.constData();
    const QChar* end = p + row.size();
    for (; p != end; ++p) {
        const char16_t u = p->unicode();
        if (u < 256 && table.of[u] != 0) [[likely]] {
            *dst++ = static_cast<char>(table.of[u]);
        } else if (u == u'\t') {
            *dst++ = kSeparator;
        } else if (u == u'"') {
            *dst++ = kQuoteMark;
        } else if (u == u'\r' && p + 1 != end && p[1] == u'\n') {
            *dst++ = kLineBreakMark;
            ++p;
        } else {
            char b;
            *dst++ = Cp1252::fromUnicode(*p, b) ? b : '?';
        }
    }
    return dst;
}

// What each file byte reads as inside a line; the bytes with a role of their own
// get marks above any character the code page yields.
constexpr char16_t kSkip = 0xFFF0;          // a quote: gone before anything else
constexpr char16_t kSeparatorMark = 0xFFF1; // "§"

struct ReadTable {
    char16_t of[256];
};

ReadTable makeReadTable()
{
    ReadTable t{};
    for (int b = 0; b < 256; ++b)
        t.of[b] = Cp1252::toUnicode(static_cast<unsigned char>(b)).unicode();
    t.of[static_cast<unsigned char>(kQuote)] = kSkip;
    t.of[static_cast<unsigned char>(kSeparator)] = kSeparatorMark;
    t.of[static_cast<unsigned char>(kQuoteMark)] = u'"';
    // A TAB typed into the file by hand reads as a space: as a field separator it
    // would shift the fields and lose the last one at the next write.
    t.of[static_cast<unsigned char>('\t')] = u' ';
    return t;
}

// The row of one file line, byte by byte: exactly five fields, whatever the line
// has, quotes dropped wherever they are.
QString rowFromLine(const char* begin, const char* end)
{
    static const ReadTable table = makeReadTable();
    QString row(qsizetype(end - begin) + kFields - 1, Qt::Uninitialized);
    QChar* const first = row.data();
    QChar* out = first;
    int separators = 0;
    for (const char* p = begin; p != end; ++p) {
        const char16_t u = table.of[static_cast<unsigned char>(*p)];
        if (u < kSkip) {
            *out++ = QChar(u);
        } else if (u == kSeparatorMark) {
            if (separators == kFields - 1)
                break;
            *out++ = QChar(kRowSeparator);
            ++separators;
        }
    }
    for (; separators < kFields - 1; ++separators)
        *out++ = QChar(kRowSeparator);
    row.truncate(out - first);
    return row;
}

constexpr bool hasZeroByte(std::uint64_t v)
{
    return ((v - 0x0101010101010101u) & ~v & 0x8080808080808080u) != 0;
}

// Whether any of eight bytes other than "§" reads differently from Latin-1 (0x80
// to 0x9F, "¤", TAB); may also say so for a byte that does not, never the reverse.
bool needsTable(const char* eight)
{
    std::uint64_t w;
    std::memcpy(&w, eight, 8);
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    return hasZeroByte((w & (kOnes * 0xE0)) ^ (kOnes * 0x80)) ||
           hasZeroByte(w ^ (kOnes * quint8(kQuoteMark))) || hasZeroByte(w ^ (kOnes * '\t'));
}

// The same row, faster for the usual line, which holds no quote: the line is
// widened as Latin-1 in one go, then the stretches of eight bytes where the code
// page or the reserved bytes differ are redone through the table.
QString rowFromQuotelessLine(const char* begin, const char* end)
{
    static const ReadTable table = [] {
        ReadTable t = makeReadTable();
        t.of[static_cast<unsigned char>(kSeparator)] = kRowSeparator;
        return t;
    }();
    qsizetype length = end - begin;
    qsizetype separatorAt[kFields - 1];
    int separators = 0;
    const char* from = begin;
    while (const void* hit = std::memchr(from, kSeparator, size_t(end - from))) {
        const char* at = static_cast<const char*>(hit);
        if (separators == kFields - 1) {
            length = at - begin;
            break;
        }
        separatorAt[separators++] = at - begin;
        from = at + 1;
    }
    QString row = QString::fromLatin1(begin, length);
    if (separators < kFields - 1)
        row.append(QString(kFields - 1 - separators, QChar(kRowSeparator)));
    char16_t* const out = reinterpret_cast<char16_t*>(row.data());
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        if (needsTable(begin + i)) {
            for (qsizetype j = i; j < i + 8; ++j)
                out[j] = table.of[static_cast<unsigned char>(begin[j])];
        }
    }
    for (; i < length; ++i)
        out[i] = table.of[static_cast<unsigned char>(begin[i])];
    for (int k = 0; k < separators; ++k)
        out[separatorAt[k]] = kRowSeparator;
    return row;
}

// Lines of nothing but spaces (once quotes are gone) give no row.
bool holdsRow(const char* begin, const char* end)
{
    for (const char* text = begin; text != end; ++text)
        if (*text != ' ' && *text != kQuote)
            return true;
    return false;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
// Returns false at the first byte that breaks it, which in a file of the
// program's own is the first "§".
bool isUtf8WithMultiByte(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    bool multiByte = false;
    auto cont = [&end](const unsigned char* at, unsigned char lo, unsigned char hi) {
        return at < end && *at >= lo && *at <= hi;
    };
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        multiByte = true;
        if (c >= 0xC2 && c <= 0xDF && cont(p + 1, 0x80, 0xBF)) {
            p += 2;
        } else if (c >= 0xE0 && c <= 0xEF &&
                   cont(p + 1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF) &&
                   cont(p + 2, 0x80, 0xBF)) {
            p += 3;
        } else if (c >= 0xF0 && c <= 0xF4 &&
                   cont(p + 1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF) &&
                   cont(p + 2, 0x80, 0xBF) && cont(p + 3, 0x80, 0xBF)) {
            p += 4;
        } else {
            return false;
        }
    }
    return multiByte;
}

} // namespace

namespace DataFile {

QByteArray fromEditorUtf8(QByteArray bytes)
{
    if (!isUtf8WithMultiByte(bytes))
        return bytes;
    return Cp1252::encode(QString::fromUtf8(bytes));
}

bool isHalfWritten(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && (bytes.back() == kCR || bytes.back() == kLF))
        bytes.chop(1);
    return bytes.size() < 2 || bytes.front() != kQuote || bytes.back() != kQuote;
}

namespace {

// How many characters at p a line can carry as they stand: 1 or 2 (a CR LF in
// a description), or 0.
int carriedAt(const QChar* p, const QChar* end, bool description)
{
    const char16_t u = p->unicode();
    if (description && u == u'\r' && p + 1 != end && p[1] == u'\n')
        return 2;
    if (u == uchar(kLineBreakMark))
        return description ? 1 : 0;
    // C0, DEL and C1: the five bytes the code page leaves undefined read as C1.
    const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
    if (control || u == uchar(kSeparator) || u == uchar(kQuoteMark) || !Cp1252::canEncode(*p))
        return 0;
    return 1;
}

} // namespace

bool carries(QStringView field, bool description)
{
    for (const QChar* p = field.begin(); p != field.end();) {
        const int n = carriedAt(p, field.end(), description);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

QString carried(QStringView field, bool description)
{
    QString kept;
    kept.reserve(field.size());
    for (const QChar* p = field.begin(); p != field.end();) {
        const int n = carriedAt(p, field.end(), description);
        kept.append(p, n);
        p += qMax(n, 1);
    }
    return kept;
}

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

void forEachLine(QByteArrayView bytes, const std::function<void(QByteArrayView line)>& visit)
{
    // Quotes go before lines are split, so a line ends at every LF whose nearest
    // byte before it, quotes aside, is a CR of the same line. A last line without
    // CR LF still counts.
    if (bytes.isEmpty())
        return;
    const char* const data = bytes.data();
    const char* const end = data + bytes.size();
    auto line = [&visit](const char* begin, const char* lineEnd) {
        if (holdsRow(begin, lineEnd))
            visit(QByteArrayView(begin, lineEnd - begin));
    };
    const char* start = data;
    const char* search = data;
    while (const void* found = std::memchr(search, kLF, size_t(end - search))) {
        const char* lf = static_cast<const char*>(found);
        const char* cr = lf;
        while (cr != start && cr[-1] == kQuote)
            --cr;
        if (cr != start && cr[-1] == kCR) {
            line(start, cr - 1);
            start = lf + 1;
        }
        search = lf + 1;
    }
    line(start, end);
}

QString row(QByteArrayView line)
{
    const char* begin = line.data();
    const char* end = begin + line.size();
    if (std::memchr(begin, kQuote, size_t(line.size())))
        return rowFromLine(begin, end);
    return rowFromQuotelessLine(begin, end);
}

bool isWrittenForm(QByteArrayView line)
{
    const char* p = line.data();
    const auto size = size_t(line.size());
    if (size == 0 || std::memchr(p, kQuote, size) || std::memchr(p, '\t', size))
        return false;
    const char* const end = p + size;
    int separators = 0;
    while (const void* hit = std::memchr(p, kSeparator, size_t(end - p))) {
        if (++separators > kFields - 1)
            return false;
        p = static_cast<const char*>(hit) + 1;
    }
    return separators == kFields - 1;
}

QByteArray writtenForm(QByteArrayView line)
{
    if (isWrittenForm(line))
        return line.toByteArray();
    return writtenForm(row(line));
}

QByteArray writtenForm(const QString& row)
{
    QByteArray bytes(row.size(), Qt::Uninitialized);
    bytes.truncate(writeEscaped(bytes.data(), row) - bytes.constData());
    // A typed "§" or TAB would read back as one separator too many.
    if (!isWrittenForm(bytes))
        return writtenForm(DataFile::row(bytes));
    return bytes;
}

} // namespace DataFile
