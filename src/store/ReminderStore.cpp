#include "ReminderStore.h"

#include "DataFile.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString storeMessage(StoreStatus status)
{
    switch (status) {
    case StoreStatus::Ok:
        return {};
    case StoreStatus::WriteFailed:
        return QStringLiteral("Erro ao salvar o arquivo!");
    case StoreStatus::ReadFailed:
        return QStringLiteral("Erro ao ler o arquivo!");
    case StoreStatus::Full:
        return QStringLiteral("Limite de lembretes atingido!");
    case StoreStatus::NoSuchRow:
        return QStringLiteral("Selecione um ítem primeiro!");
    case StoreStatus::CopyUnreadable:
        return {};
    }
    return {};
}

ReminderStore::ReminderStore(const QString& folder, const Clock& clock)
    : path_(QDir(folder).filePath(kFileName)), clock_(clock)
{
}

StoreStatus ReminderStore::load()
{
    rows_ = RowList();
    readFailed_ = false;
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink())
        return SafeFile::write(path_, DataFile::kFreshFile) ? StoreStatus::Ok
                                                            : StoreStatus::WriteFailed;
    // Only a regular file is read: opening a FIFO would block start-up for good.
    QFile file(path_);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    // Too large a file is left alone rather than read in part and overwritten.
    QByteArray bytes = file.size() > RowList::kMaxFileSize ? QByteArray() : file.readAll();
    if (file.size() > RowList::kMaxFileSize || file.error() != QFileDevice::NoError) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    rows_ = RowList::fromFile(std::move(bytes));
    return StoreStatus::Ok;
}

template <typename Operation>
StoreStatus ReminderStore::write(Operation&& operation, bool)
{
    RowList rows = operation(rows_);
    if (rows.tooLarge() || !SafeFile::write(path_, rows.file()))
        return StoreStatus::WriteFailed;
    // The new list holds the very bytes written, which is what a reload reads.
    rows_ = std::move(rows);
    return StoreStatus::Ok;
}

FileChange ReminderStore::followFile(bool)
{
    return FileChange::Unchanged;
}

StoreStatus ReminderStore::mergeConflictCopy(const QString&)
{
    return StoreStatus::CopyUnreadable;
}

int ReminderStore::indexOf(const Reminder& r) const
{
    int sameStamp = -1;
    for (int k = 0; k < count(); ++k) {
        const Reminder here = reminderAt(k);
        if (here.posted != r.posted)
            continue;
        if (here.title == r.title && here.description == r.description)
            return k;
        if (sameStamp < 0)
            sameStamp = k;
    }
    return sameStamp;
}

StoreStatus ReminderStore::deleteReminder(const Reminder& r)
{
    const int k = indexOf(r);
    return k < 0 ? StoreStatus::Ok : deleteAt(k);
}

StoreStatus ReminderStore::replaceReminder(const Reminder& original, const Reminder& edited)
{
    const int k = indexOf(original);
    return k < 0 ? StoreStatus::NoSuchRow : replaceAt(k, edited);
}

StoreStatus ReminderStore::saveAll()
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    return write([](const RowList& rows) { return rows.saved(); });
}

StoreStatus ReminderStore::deleteAt(int k)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    return write([k](const RowList& rows) { return rows.without(k); });
}

StoreStatus ReminderStore::append(const QString& due, const QString& title,
                                  const QString& description)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (count() >= kMaxRows)
        return StoreStatus::Full;
    const Reminder added{Reminder::stamp(clock_.now()), due, Reminder::kOpen, title, description};
    return write([&](const RowList& rows) { return rows.appended(added.toRow()); });
}

StoreStatus ReminderStore::replaceAt(int k, const Reminder& reminder)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    return write([&](const RowList& rows) { return rows.with(k, reminder.toRow()); });
}

void ReminderStore::setStatus(int k, const QString& status)
{
    if (k < 0 || k >= count())
        return;
    Reminder r = reminderAt(k);
    r.status = status;
    rows_.set(k, r.toRow());
}
