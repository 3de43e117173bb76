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

    // Where an edit changed a text: `before` is head, removed part and tail;
    // `after` is head, inserted part and tail. Of the smallest such changes, the
    // one whose inserted part ends at `cursor` (where the edit left it) when there
    // is one: typing "n" before an "n" inserts the first of the two.
    struct Change {
        qsizetype head = 0;
        qsizetype tail = 0;

        QStringView inserted(const QString& after) const
        {
            return QStringView(after).sliced(head, after.size() - head - tail);
        }
        bool removes(const QString& before) const { return head + tail < before.size(); }
    };
    static Change changeOf(const QString& before, const QString& after, int cursor);

    // An edit of a length-limited box, from `before` to `after` with the cursor
    // where the edit left it: the inserted part is cleaned and cut to the room the
    // limit leaves; a text that was already longer (the program's own filling) may
    // shrink but never grow. `cursor` is moved to the end of what was kept.
    static QString limitEdit(const QString& before, const QString& after, int maxLength,
                             bool keepLineBreaks, int& cursor);
};
