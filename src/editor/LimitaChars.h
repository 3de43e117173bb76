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

    // Text that arrives whole (pasted, dropped, composed, several characters
    // in one key, set by a screen reader), cleaned one way whatever its route:
    // composed first (NFC), so an accent copied apart from its letter stays on
    // it; in one line each run of line breaks and TABs is one space, as a
    // browser pastes into a one-line field; in several lines a line break stays,
    // as LF, and a TAB is a space; then what the filter refuses goes.
    static QString clean(QStringView text, bool multiLine);
};
