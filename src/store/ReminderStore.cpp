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
    }
    return {};
}

ReminderStore::ReminderStore(const QString& folder, const Clock& clock)
    : path_(QDir(folder).filePath(kFileName)), clock_(clock)
{
}

StoreStatus ReminderStore::load()
{
    rows_.clear();
    readFailed_ = false;
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink())
        return SafeFile::write(path_, DataFile::kFreshFile) ? StoreStatus::Ok
                                                            : StoreStatus::WriteFailed;
    // Only a regular file is read: opening a FIFO would block start-up for good.
    QFile file(path_);
    QByteArray bytes;
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    rows_ = DataFile::parse(bytes);
    return StoreStatus::Ok;
}

StoreStatus ReminderStore::write(QStringList rows, bool appended, int changed)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    const QByteArray bytes = DataFile::serialize(rows, appended);
    if (!SafeFile::write(path_, bytes))
        return StoreStatus::WriteFailed;
    // The list becomes what a reload of the file gives without reading 4 MB
    // back: a row that came from a load reads back as it is, so only the row
    // the caller brought in is passed through the file format.
    if (changed >= 0)
        rows[changed] = readBack(rows.at(changed));
    rows_ = std::move(rows);
    return StoreStatus::Ok;
}

QString ReminderStore::readBack(const QString& row)
{
    return DataFile::parse(DataFile::serialize({row})).value(0);
}

StoreStatus ReminderStore::saveAll()
{
    return write(rows_, false, -1);
}

StoreStatus ReminderStore::deleteAt(int k)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    QStringList rows = rows_;
    rows.removeAt(k);
    return write(std::move(rows), false, -1);
}

StoreStatus ReminderStore::append(const QString& due, const QString& title,
                                  const QString& description)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (count() >= kMaxRows)
        return StoreStatus::Full;
    const Reminder added{Reminder::stamp(clock_.now()), due, Reminder::kOpen, title, description};
    QStringList rows = rows_;
    rows.append(added.toRow());
    return write(std::move(rows), true, count());
}

StoreStatus ReminderStore::replaceAt(int k, const Reminder& reminder)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    QStringList rows = rows_;
    rows[k] = reminder.toRow();
    return write(std::move(rows), false, k);
}

void ReminderStore::setStatus(int k, const QString& status)
{
    if (k < 0 || k >= count())
        return;
    Reminder r = reminderAt(k);
    r.status = status;
    rows_[k] = readBack(r.toRow());
}
