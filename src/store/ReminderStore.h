#pragma once

#include "Clock.h"
#include "FileSwap.h"
#include "Reminder.h"
#include "RowList.h"

#include <QObject>
#include <QString>
#include <QStringList>

enum class StoreStatus {
    Ok,
    WriteFailed, // file and list unchanged
    ReadFailed,  // the file could not be read; writes are refused until it can
    Full,        // append refused at the row limit, or a conflict copy whose merge would pass it
    NoSuchRow,
    CopyUnreadable, // a conflict copy that could not be read: leave it where it is
    BadField,       // a field its line cannot carry: nothing written
};

// What followFile found.
enum class FileChange {
    Unchanged,   // the bytes last read or written: the program's own writes land here
    Reloaded,    // changed elsewhere, merged with the pending status changes: show the list again
    HalfWritten, // empty, or without its opening or closing quote: ask again after a pause
    Vanished,    // gone: the list stays, and the next write creates the file with it
    Unreadable,  // the list stays; writes are refused until a later followFile reads it
};

// The reminder list and its file. The store keeps the base, the bytes it last
// read or wrote, and every write starts from the file as it is now: if something
// else changed it since the base, the change is merged in first (ReminderMerge,
// ours being the list with its pending status changes), and the operation then
// acts by identity. While nothing else touches the file, every write is exactly
// the plain rewrite it always was, and the list after it is what a fresh load
// of the file gives. It says when its rows change and when a status change
// starts or stops waiting for a save, so that what shows them follows.
class ReminderStore : public QObject {
    Q_OBJECT
public:
    // What replaced the rows.
    enum class Change {
        Loaded,   // load
        Written,  // a save, delete, append or correction of the program's
        Followed, // the file changed elsewhere: a follow's reload, a merged copy
    };

    static constexpr int kMaxRows = 32767;
    static inline const QString kFileName = QStringLiteral("lembretes.dat");

    ReminderStore(const QString& folder, const Clock& clock);

    QString path() const { return path_; }

    // Start-up: creates the file when there is none; what is read is the base.
    StoreStatus load();

    // For the watcher, whenever the file or its folder signals. Reloaded leaves
    // the list as the merge made it, the read bytes as the new base; every other
    // outcome leaves the list alone. HalfWritten comes only when !lastTry: call
    // again after a pause with lastTry set, and a file still half-written is then
    // Unreadable. A file that grew past kMaxRows loads whole, as at start-up.
    FileChange followFile(bool lastTry);

    // Writes the merged rows with the pending status changes.
    StoreStatus saveAll();
    // The reminder with r's stamp (and, among rows sharing it, r's title and
    // description). Already gone from the file: nothing else is removed, Ok.
    StoreStatus deleteReminder(const Reminder& r);
    // After the last row, posted now and open whatever it says; Full at
    // kMaxRows. A description's CR LF is its line-break mark; a field no line can
    // carry is BadField.
    StoreStatus append(const Reminder& reminder);
    // original is the reminder as the editor was filled, edited as confirmed.
    // Only the fields the user changed are written; the others keep the file's
    // current value. A reminder deleted elsewhere comes back, corrected. A
    // changed field no line can carry is BadField.
    StoreStatus replaceReminder(const Reminder& original, const Reminder& edited);
    // Row-index forms of the two, for callers that hold an index.
    StoreStatus deleteAt(int k);
    StoreStatus replaceAt(int k, const Reminder& reminder);
    // Memory only: the file follows at the next write (a pending status change).
    // A status no line can carry changes nothing.
    void setStatus(int k, const QString& status);
    // A status change waits for a save: from a setStatus to the next save,
    // append or correction. A delete writes it too but, as the design has it,
    // leaves the save offered; following the file keeps it waiting.
    bool pendingStatus() const { return pendingStatus_; }

    // Merges a sync tool's conflict copy into the file and writes it: every
    // reminder of either, known by stamp, title and description together (a
    // title corrected on one side is two rows); the status and due of the file
    // under the real name win. No local base takes part, so both computers,
    // handed the same two versions, write the same bytes. The pending status changes are
    // not written: they stay pending, merged on top of the new file. On
    // CopyUnreadable or Full (the merge would pass kMaxRows) nothing is written.
    StoreStatus mergeConflictCopy(const QString& copyPath);

    int count() const { return rows_.count(); }
    QString rowAt(int k) const { return rows_.at(k); }
    Reminder reminderAt(int k) const { return Reminder::fromRow(rowAt(k)); }
    // The row of r by identity, as deleteReminder finds it; -1 when none.
    int indexOf(const Reminder& r) const;

    // The rows, as the due rule reads them.
    const RowList& rows() const { return rows_; }

signals:
    // Around every replacement of the rows; not for a status set in memory.
    void rowsAboutToChange();
    void rowsChanged(ReminderStore::Change change);
    void pendingStatusChanged(bool pending);

private:
    // One read of a file, the one way the store takes rows from one: its rows,
    // or why there are none. A file holding like's bytes reads as like.
    struct Look {
        enum Found { Same, Changed, Missing, HalfWritten, Unreadable };
        Found found = Missing;
        RowList rows;          // Changed only
        FileSwap::Identity id; // taken before the read; absent when Missing
    };
    // What a read does with a file caught half-written: empty, or without its
    // opening or closing quote, as another program leaves it mid-write.
    enum class WhenHalfWritten {
        TakeWhole, // as it is: at start-up whatever is there is the list
        Report,    // Found::HalfWritten, for the caller to read again later
        Wait,      // read once more after a pause; still so, Unreadable
        Refuse,    // Unreadable
    };
    // The store's file, unread while it is the base's own. The one place that
    // decides the file failed to read, so that no write replaces it.
    Look lookAtFile(WhenHalfWritten rule);
    // The file at path, identified as id just before; like may be null.
    static Look read(const QString& path, const FileSwap::Identity& id, WhenHalfWritten rule,
                     const RowList* like);
    // Bytes in hand, as a swap hands back the file it took out: Wait reports.
    static Look read(QByteArray bytes, WhenHalfWritten rule, const RowList* like);
    // The store's file as it is now, for a write to start from: its rows, the
    // base's while it is unchanged or absent, and its identity.
    struct Current {
        StoreStatus status = StoreStatus::Ok;
        RowList file;
        FileSwap::Identity id;
        bool changed = false; // since the base
    };
    // A file to put in place of the one basis was read from (expected), or why
    // there is none; already there when that file holds it.
    struct Write {
        static Write refused(StoreStatus status) { return {status, {}, {}, {}, false}; }
        static Write of(RowList result)
        {
            return {StoreStatus::Ok, std::move(result), {}, {}, false};
        }
        StoreStatus status = StoreStatus::Ok;
        RowList result;
        RowList basis;
        FileSwap::Identity expected;
        bool alreadyThere = false;
    };

    Current current();
    // Applies an operation to the current rows and writes the outcome.
    template <typename Operation> StoreStatus write(Operation&& operation);
    // Writes what prepare() makes, starting again from the file where another
    // program changed it in the last moment.
    // A Written result holds the pending status changes; a Followed one leaves
    // them out, and they stay pending on top of it.
    template <typename Prepare> StoreStatus writeAgainstChanges(Prepare&& prepare, Change change);
    void adopt(RowList written, const FileSwap::Identity& id, Change change);
    void setPendingStatus(bool pending);
    // A write that holds the pending status changes: none waits after it.
    StoreStatus storedPending(StoreStatus status);
    StoreStatus deleteRow(const Reminder& r, int hint);
    StoreStatus replaceRow(const Reminder& original, const Reminder& edited, int hint);
    QDate today() const { return clock_.now().date(); }

    QString path_;
    const Clock& clock_;
    RowList rows_;
    // The bytes last read or written, as rows, and the file's identity then.
    RowList base_;
    FileSwap::Identity baseId_;
    // Set while the file cannot be read, so it is never overwritten.
    bool readFailed_ = false;
    bool pendingStatus_ = false;
};
