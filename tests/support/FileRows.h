#pragma once

#include "DataFile.h"
#include "Reminder.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>

// A data file's rows, as tests write and read them without the store.
namespace FileRows {

// The rows of a file's bytes, each line read on its own as the store reads a
// line: what the store's kept rows and its writes are checked against.
inline QStringList parse(QByteArrayView bytes)
{
    QStringList rows;
    DataFile::forEachLine(bytes,
                          [&rows](QByteArrayView line) { rows.append(DataFile::row(line)); });
    return rows;
}

// The file holding these reminders, as a save writes it.
inline QByteArray fileOf(const QList<Reminder>& reminders)
{
    QStringList rows;
    for (const Reminder& r : reminders)
        rows.append(r.toRow());
    return DataFile::serialize(rows);
}

} // namespace FileRows
