#include "LimitaChars.h"

#include "Cp1252.h"

#include <array>

namespace {

// The punctuation is listed by code point so no editor can swap a look-alike in.
const QString kSet = QStringLiteral("0123456789"
                                    "abcdefghijklmnopqrstuvwxyz"
                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                    "\u00C0\u00C1\u00C2\u00C3\u00C4\u00C8\u00C9\u00CA\u00CB\u00CC"
                                    "\u00CD\u00CE\u00CF\u00D2\u00D3\u00D4\u00D5\u00D6\u00D9\u00DA"
                                    "\u00DB\u00DC"
                                    "\u00E0\u00E1\u00E2\u00E3\u00E4\u00E8\u00E9\u00EA\u00EB\u00EC"
                                    "\u00ED\u00EE\u00EF\u00F2\u00F3\u00F4\u00F5\u00F6\u00F9\u00FA"
                                    "\u00FB\u00FC"
                                    "\u00D1\u00F1\u00C7\u00E7"
                                    "\u002E\u002C\u003A\u003B\u003C\u003E\u003D\u0028\u0029\u007B"
                                    "\u007D\u005B\u005D\u0027\u0022\u0022\u002D\u002B\u002F\u005C"
                                    "\u0040\u0026\u002A\u0021\u00BF\u003F\u007C\u0025\u0023\u0024"
                                    "\u005F"
                                    "\u0020\r\n");

// One flag per Windows-1252 byte.
std::array<bool, 256> byteTable()
{
    std::array<bool, 256> allowed{};
    for (QChar ch : kSet) {
        char byte;
        if (Cp1252::fromUnicode(ch, byte))
            allowed[static_cast<unsigned char>(byte)] = true;
    }
    return allowed;
}

bool lineBreak(QChar ch)
{
    return ch == u'\r' || ch == u'\n';
}

} // namespace

const QString& LimitaChars::allowedSet()
{
    return kSet;
}

int LimitaChars::filter(int code)
{
    static const std::array<bool, 256> allowed = byteTable();
    if (code == kBackspace)
        return code;
    if (code < 0 || code > 0xFFFF)
        return kRefused;
    char byte;
    if (!Cp1252::fromUnicode(QChar(char16_t(code)), byte))
        return kRefused;
    return allowed[static_cast<unsigned char>(byte)] ? code : kRefused;
}

QString LimitaChars::clean(QStringView text, bool multiLine)
{
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QString kept;
    kept.reserve(composed.size());
    bool inGap = false;
    for (qsizetype i = 0; i < composed.size(); ++i) {
        const QChar ch = composed.at(i);
        const bool tab = ch == u'\t';
        if (!multiLine && (tab || lineBreak(ch))) {
            if (!inGap)
                kept += u' ';
            inGap = true;
            continue;
        }
        inGap = false;
        if (tab) {
            kept += u' ';
        } else if (ch == u'\r') {
            kept += u'\n';
            if (i + 1 < composed.size() && composed.at(i + 1) == u'\n')
                ++i;
        } else if (ch.unicode() != kBackspace && allows(ch)) {
            kept += ch;
        }
    }
    return kept;
}
