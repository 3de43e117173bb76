#pragma once

#include "DataFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// One reminder: the five text fields, in file order. Named at the call where
// some are left empty: {.due = ..., .title = ..., .description = ...}.
struct Reminder {
    QString posted{};
    QString due{};
    QString status{};
    QString title{};
    QString description{};

    static inline const QString kNoDue = QStringLiteral("----/----/----");
    static inline const QString kOpen = QStringLiteral("  ");
    static inline const QString kDone = QStringLiteral("\u00D7");
    static inline const QChar kFieldSep = QChar(DataFile::kRowSeparator);
    // A line break inside a field, the file's mark read as Latin-1.
    static constexpr QChar kLineBreak = QChar(uchar(DataFile::kLineBreakMark));

    // The in-memory row: the five fields joined by TAB.
    QString toRow() const;
    // Missing fields read as empty texts; fields past the fifth are ignored.
    static Reminder fromRow(const QString& row);
    // The posting stamp "yy.mm.dd.hh.mm.ss" of one clock reading.
    static QString stamp(const QDateTime& at);

    // The description as a row holds it: a CR LF given is the line-break mark.
    static QString markedLineBreaks(QString description);
    // Whether the line can carry every field, or every field that differs from
    // was's (the others are the file's own).
    bool fitsLine() const;
    bool fitsLine(const Reminder& was) const;

    bool operator==(const Reminder&) const = default;
};
