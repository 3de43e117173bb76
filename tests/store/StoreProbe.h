#pragma once

#include "DataFile.h"
#include "ReminderStore.h"

#include <QCryptographicHash>
#include <QDir>

// What the failure tests compare before and after an operation.
namespace StoreProbe {

// A status as a child process reports it.
inline QString name(StoreStatus status)
{
    switch (status) {
    case StoreStatus::Ok:
        return QStringLiteral("Ok");
    case StoreStatus::WriteFailed:
        return QStringLiteral("WriteFailed");
    case StoreStatus::ReadFailed:
        return QStringLiteral("ReadFailed");
    case StoreStatus::Full:
        return QStringLiteral("Full");
    case StoreStatus::NoSuchRow:
        return QStringLiteral("NoSuchRow");
    case StoreStatus::CopyUnreadable:
        return QStringLiteral("CopyUnreadable");
    case StoreStatus::BadField:
        return QStringLiteral("BadField");
    }
    return QStringLiteral("?");
}

// The whole in-memory list in one short text.
inline QString digest(const ReminderStore& store)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int i = 0; i < store.count(); ++i)
        hash.addData(store.rowAt(i).toUtf8() + '\n');
    return QString::number(store.count()) + u':' + QString::fromLatin1(hash.result().toHex());
}

// n reminders with realistic field lengths, as a save writes them.
inline QByteArray sampleFile(int n, int descriptionLength = 40)
{
    QStringList rows;
    rows.reserve(n);
    const QString description(descriptionLength, u'd');
    for (int i = 0; i < n; ++i) {
        rows << QStringLiteral("26.01.01.00.00.%1\t----/----/----\t  \tLembrete \"%2\"\t%3")
                    .arg(i % 60, 2, 10, QChar(u'0'))
                    .arg(i)
                    .arg(description);
    }
    return DataFile::serialize(rows);
}

// Names in the folder, to see that no temporary file was left behind.
inline QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

} // namespace StoreProbe
