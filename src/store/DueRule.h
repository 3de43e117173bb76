#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

class RowList;

// Which reminders are due: not concluded, with a due text in the program's own
// dd/mm/yy form that is today or earlier. Anything else in the due field (the
// "no date" placeholder, a hand-edited text) is simply not due.
class DueRule {
public:
    struct Item {
        QDate due;
        int row;
        bool operator==(const Item&) const = default;
    };

    // The date of a dd/mm/yy text, its two-digit year read in the century that
    // puts it nearest to today (exactly fifty years away counts as the past);
    // an invalid date when the text is not such a date.
    static QDate dateOf(QStringView due, const QDate& today);
    // That window of years around one day, for reading many dates at once.
    class Window {
    public:
        explicit Window(const QDate& today);
        // The four-digit year of a two-digit year, month and day.
        int yearOf(int yy, int month, int day) const;

    private:
        int from_, month_, day_;
    };
    static bool isDue(QStringView row, const QDate& today, QDate* due = nullptr);

    // The due rows, oldest due date first and list order among equals.
    static QList<Item> scan(const RowList& rows, const QDate& today);
};
