#pragma once

#include "Clock.h"
#include "Reminder.h"
#include "RowList.h"

#include <QString>
#include <QStringList>

enum class StoreStatus {
    Ok,
    WriteFailed, // file and list unchanged
    ReadFailed,  // the file could not be read at load; writes are refused
    Full,        // append refused at the row limit
    NoSuchRow,
};

// The user's message for a failed operation; empty for Ok.
QString storeMessage(StoreStatus status);

// The reminder list and its file. Every write rewrites the whole file and leaves
// the list exactly as a fresh load of that file would give it.
class ReminderStore {
public:
    static constexpr int kMaxRows = 32767;
    static inline const QString kFileName = QStringLiteral("lembretes.dat");

    ReminderStore(const QString& folder, const Clock& clock);

    QString path() const { return path_; }

    StoreStatus load();
    StoreStatus saveAll();
    StoreStatus deleteAt(int k);
    StoreStatus append(const QString& due, const QString& title, const QString& description);
    StoreStatus replaceAt(int k, const Reminder& reminder);
    // Memory only: the file follows at the next write.
    void setStatus(int k, const QString& status);

    int count() const { return rows_.count(); }
    QString rowAt(int k) const { return rows_.at(k); }
    Reminder reminderAt(int k) const { return Reminder::fromRow(rowAt(k)); }

private:
    // Writes the list's file and makes it the list.
    StoreStatus write(RowList rows);

    QString path_;
    const Clock& clock_;
    RowList rows_;
    // Set when an existing file could not be read, so it is never overwritten.
    bool readFailed_ = false;
};
