#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// One reminder: the five text fields, in file order.
struct Reminder {
    QString posted;
    QString due;
    QString status;
    QString title;
    QString description;

    static inline const QString kNoDue = QStringLiteral("----/----/----");
    static inline const QString kOpen = QStringLiteral("  ");
    static inline const QString kDone = QStringLiteral("\u00D7");
    static inline const QChar kFieldSep = QChar(u'\t');
    static inline const QChar kLineBreak = QChar(0x00A5);

    // The in-memory row: the five fields joined by TAB.
    QString toRow() const;
    // Missing fields read as empty texts; fields past the fifth are ignored.
    static Reminder fromRow(const QString& row);
    // The posting stamp "yy.mm.dd.hh.mm.ss" of one clock reading.
    static QString stamp(const QDateTime& at);

    bool operator==(const Reminder&) const = default;
};
