#pragma once

#include <QString>

// The typed-character filter of the two editors: 144 allowed characters plus
// backspace, compared as Windows-1252 code points. It keeps TAB, the file's
// reserved "§", "¤", "¥" and every control code but CR and LF out of a reminder.
class LimitaChars {
public:
    static constexpr int kBackspace = 8;
    static constexpr int kRefused = 0;

    // The allowed set in its fixed order (the double quote is listed twice).
    static const QString& allowedSet();

    // The code to let through: the typed code itself, or kRefused.
    static int filter(int code);
    static bool allows(QChar ch) { return filter(ch.unicode()) != kRefused; }

    // Text that arrives without being typed: refused characters and backspace go,
    // and so do line breaks when the box holds one line.
    static QString clean(QStringView text, bool keepLineBreaks);
};
