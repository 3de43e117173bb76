#include "ReminderStore.h"

#include "DataFile.h"
#include "ReminderMerge.h"
#include "WrittenRow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <utility>

namespace {

// Tries of a write, for each cause of starting it again: a file that appeared
// where there was none, read and operated on anew; and a change made since the
// look that the write displaced, merged in and written again.
constexpr int kTriesWhenAppeared = 4;
constexpr int kTriesWhenDisplaced = 4;
// A file caught half-written during a write is read once more after this.
constexpr int kHalfWrittenPauseMs = 150;

} // namespace

ReminderStore::ReminderStore(const QString& folder, const Clock& clock)
    : path_(QDir(folder).filePath(kFileName)), clock_(clock)
{
}

ReminderStore::Look ReminderStore::read(const QString& path, const FileSwap::Identity& id,
                                        WhenHalfWritten rule, const RowList* like)
{
    if (!id.exists)
        return {};
    // Only a regular file is read: opening a FIFO would block for good.
    if (!id.regular || id.size > RowList::kMaxFileSize)
        return {Look::Unreadable, {}, id};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? Look{Look::Unreadable, {}, id} : Look{};
    // Too large a file is left alone rather than read in part and overwritten.
    if (file.size() > RowList::kMaxFileSize)
        return {Look::Unreadable, {}, id};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {Look::Unreadable, {}, id};
    // Not held open while the writer it waits for finishes.
    file.close();
    Look seen = read(std::move(bytes), rule, like);
    seen.id = id;
    if (seen.found == Look::HalfWritten && rule == WhenHalfWritten::Wait) {
        // Another program is writing it right now.
        QThread::msleep(kHalfWrittenPauseMs);
        return read(path, FileSwap::identify(path), WhenHalfWritten::Refuse, like);
    }
    return seen;
}

ReminderStore::Look ReminderStore::read(QByteArray bytes, WhenHalfWritten rule, const RowList* like)
{
    bytes = DataFile::fromEditorUtf8(std::move(bytes));
    if (rule != WhenHalfWritten::TakeWhole && DataFile::isHalfWritten(bytes))
        return {rule == WhenHalfWritten::Refuse ? Look::Unreadable : Look::HalfWritten, {}, {}};
    if (!like)
        return {Look::Changed, RowList::fromFile(std::move(bytes)), {}};
    if (bytes == like->file())
        return {Look::Same, {}, {}};
    return {Look::Changed, RowList::fromFile(std::move(bytes), *like), {}};
}

ReminderStore::Look ReminderStore::lookAtFile(WhenHalfWritten rule)
{
    const FileSwap::Identity id = FileSwap::identify(path_);
    if (id.exists && !readFailed_ && id == baseId_)
        return {Look::Same, {}, id};
    Look seen = read(path_, id, rule, &base_);
    if (seen.found != Look::HalfWritten)
        readFailed_ = seen.found == Look::Unreadable;
    if (seen.found == Look::Same)
        baseId_ = seen.id;
    return seen;
}

void ReminderStore::adopt(RowList written, const FileSwap::Identity& id, Change change)
{
    emit rowsAboutToChange();
    if (change == Change::Followed)
        rows_ = ReminderMerge::merge(&base_, rows_, written, today());
    else
        rows_ = written;
    base_ = std::move(written);
    baseId_ = id;
    emit rowsChanged(change);
}

void ReminderStore::setPendingStatus(bool pending)
{
    if (pending == pendingStatus_)
        return;
    pendingStatus_ = pending;
    emit pendingStatusChanged(pending);
}

StoreStatus ReminderStore::load()
{
    base_ = RowList();
    baseId_ = FileSwap::Identity();
    // Nothing read yet, so nothing to protect.
    readFailed_ = false;
    setPendingStatus(false);
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        const FileSwap::Replaced made = FileSwap::replace(path_, DataFile::kFreshFile, {});
        if (made.result == FileSwap::Replaced::Failed) {
            adopt(RowList(), {}, Change::Loaded);
            return StoreStatus::WriteFailed;
        }
        // One that a sync tool put there meanwhile is read instead.
        if (made.result != FileSwap::Replaced::Appeared) {
            adopt(RowList::fromFile(DataFile::kFreshFile), made.written, Change::Loaded);
            return StoreStatus::Ok;
        }
    }
    Look seen = lookAtFile(WhenHalfWritten::TakeWhole);
    // Gone since the look counts too: the file there now is unknown.
    if (seen.found == Look::Missing)
        readFailed_ = true;
    if (readFailed_) {
        adopt(RowList(), {}, Change::Loaded);
        return StoreStatus::ReadFailed;
    }
    // Same: as empty as the base was.
    adopt(seen.found == Look::Same ? base_ : std::move(seen.rows), seen.id, Change::Loaded);
    return StoreStatus::Ok;
}

FileChange ReminderStore::followFile(bool lastTry)
{
    Look seen = lookAtFile(lastTry ? WhenHalfWritten::Refuse : WhenHalfWritten::Report);
    switch (seen.found) {
    case Look::Same:
        return FileChange::Unchanged;
    case Look::HalfWritten:
        return FileChange::HalfWritten;
    case Look::Missing:
        // Nothing left to protect: the next write puts the list there again.
        return FileChange::Vanished;
    case Look::Unreadable:
        return FileChange::Unreadable;
    case Look::Changed:
        break;
    }
    adopt(std::move(seen.rows), seen.id, Change::Followed);
    return FileChange::Reloaded;
}

ReminderStore::Current ReminderStore::current()
{
    // A folder there cannot be replaced by a file; anything else that is no
    // regular file reads as unreadable.
    if (QFileInfo(path_).isDir())
        return {StoreStatus::WriteFailed, {}, {}, false};
    Look seen = lookAtFile(WhenHalfWritten::Wait);
    switch (seen.found) {
    case Look::Same:
        return {StoreStatus::Ok, base_, seen.id, false};
    case Look::Missing:
        return {StoreStatus::Ok, base_, {}, false};
    case Look::Changed:
        return {StoreStatus::Ok, std::move(seen.rows), seen.id, true};
    case Look::HalfWritten:
    case Look::Unreadable:
        break;
    }
    return {StoreStatus::ReadFailed, {}, {}, false};
}

template <typename Prepare>
StoreStatus ReminderStore::writeAgainstChanges(Prepare&& prepare, Change change)
{
    Write w = prepare();
    int appeared = 1, displaced = 1;
    for (;;) {
        if (w.status != StoreStatus::Ok)
            return w.status;
        if (w.alreadyThere) {
            adopt(std::move(w.basis), w.expected, change);
            return StoreStatus::Ok;
        }
        if (w.result.tooLarge())
            return StoreStatus::WriteFailed;
        const FileSwap::Replaced done = FileSwap::replace(path_, w.result.file(), w.expected);
        if (done.result == FileSwap::Replaced::Failed)
            return StoreStatus::WriteFailed;
        if (done.result == FileSwap::Replaced::Appeared) {
            if (++appeared > kTriesWhenAppeared)
                return StoreStatus::WriteFailed;
            w = prepare();
            displaced = 1;
            continue;
        }
        if (done.result == FileSwap::Replaced::Displaced && displaced++ < kTriesWhenDisplaced) {
            // Read as any file; caught half-written, it is left out.
            const Look other = read(done.other, WhenHalfWritten::Refuse, &w.basis);
            if (other.found == Look::Changed) {
                const RowList merged =
                    ReminderMerge::merge(&w.basis, w.result, other.rows, today());
                w.basis = std::exchange(w.result, merged.saved());
                w.expected = done.written;
                continue;
            }
        }
        adopt(std::move(w.result), done.written, change);
        return StoreStatus::Ok;
    }
}

template <typename Operation> StoreStatus ReminderStore::write(Operation&& operation)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    return writeAgainstChanges(
        [&] {
            Current now = current();
            if (now.status != StoreStatus::Ok)
                return Write::refused(now.status);
            // Changed since the base: merged with the list first.
            const RowList rows =
                now.changed ? ReminderMerge::merge(&base_, rows_, now.file, today()) : rows_;
            Write w = operation(rows);
            w.basis = std::move(now.file);
            w.expected = now.id;
            return w;
        },
        Change::Written);
}

StoreStatus ReminderStore::saveAll()
{
    return storedPending(write([](const RowList& rows) { return Write::of(rows.saved()); }));
}

StoreStatus ReminderStore::storedPending(StoreStatus status)
{
    if (status == StoreStatus::Ok)
        setPendingStatus(false);
    return status;
}

StoreStatus ReminderStore::append(const Reminder& reminder)
{
    const Reminder added{Reminder::stamp(clock_.now()), reminder.due, Reminder::kOpen,
                         reminder.title, Reminder::markedLineBreaks(reminder.description)};
    if (!added.fitsLine())
        return StoreStatus::BadField;
    return storedPending(write([&added](const RowList& rows) {
        if (rows.count() >= kMaxRows)
            return Write::refused(StoreStatus::Full);
        return Write::of(rows.appended(added.toRow()));
    }));
}

StoreStatus ReminderStore::deleteRow(const Reminder& r, int hint)
{
    return write([&](const RowList& rows) {
        // Already gone: the rest is written as a save would write it.
        const int k = ReminderMerge::find(rows, r, hint);
        return Write::of(k < 0 ? rows.saved() : rows.without(k));
    });
}

StoreStatus ReminderStore::replaceRow(const Reminder& original, const Reminder& given, int hint)
{
    Reminder edited = given;
    edited.description = Reminder::markedLineBreaks(edited.description);
    if (!edited.fitsLine(original))
        return StoreStatus::BadField;
    return storedPending(write([&](const RowList& rows) {
        const int k = ReminderMerge::find(rows, original, hint);
        if (k < 0) {
            // Deleted elsewhere: the correction brings it back.
            const QByteArray line = DataFile::writtenForm(edited.toRow());
            const int at = ReminderMerge::placeFor(rows, WrittenRow::stampOf(line), today());
            return Write::of(rows.inserted(at, line));
        }
        // Fields the user left alone keep what the file holds now.
        Reminder now = Reminder::fromRow(rows.at(k));
        auto take = [](QString& field, const QString& was, const QString& is) {
            if (is != was)
                field = is;
        };
        take(now.due, original.due, edited.due);
        take(now.status, original.status, edited.status);
        take(now.title, original.title, edited.title);
        take(now.description, original.description, edited.description);
        return Write::of(rows.with(k, now.toRow()));
    }));
}

StoreStatus ReminderStore::deleteReminder(const Reminder& r)
{
    return deleteRow(r, -1);
}

StoreStatus ReminderStore::replaceReminder(const Reminder& original, const Reminder& edited)
{
    return replaceRow(original, edited, -1);
}

StoreStatus ReminderStore::deleteAt(int k)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    return deleteRow(reminderAt(k), k);
}

StoreStatus ReminderStore::replaceAt(int k, const Reminder& reminder)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    if (k < 0 || k >= count())
        return StoreStatus::NoSuchRow;
    return replaceRow(reminderAt(k), reminder, k);
}

void ReminderStore::setStatus(int k, const QString& status)
{
    if (k < 0 || k >= count() || !DataFile::carries(status, false))
        return;
    Reminder r = reminderAt(k);
    r.status = status;
    rows_.set(k, r.toRow());
    setPendingStatus(true);
}

int ReminderStore::indexOf(const Reminder& r) const
{
    return ReminderMerge::find(rows_, r);
}

StoreStatus ReminderStore::mergeConflictCopy(const QString& copyPath)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    Look copy = read(copyPath, FileSwap::identify(copyPath), WhenHalfWritten::Refuse, nullptr);
    if (copy.found != Look::Changed)
        return StoreStatus::CopyUnreadable;
    return writeAgainstChanges(
        [&] {
            // The merge starts by reading ours: a folder there is one it cannot read.
            if (QFileInfo(path_).isDir())
                return Write::refused(StoreStatus::ReadFailed);
            // Ours is the file under the real name, without the pending changes.
            Current now = current();
            if (now.status != StoreStatus::Ok)
                return Write::refused(now.status);
            const RowList merged = ReminderMerge::merge(nullptr, now.file, copy.rows, today());
            if (merged.count() > kMaxRows && merged.count() > now.file.count())
                return Write::refused(StoreStatus::Full);
            Write w = Write::of(merged.saved());
            w.basis = std::move(now.file);
            w.expected = now.id;
            // The copy adds nothing: the file stays as it is.
            w.alreadyThere = now.id.exists && w.result.file() == w.basis.file();
            return w;
        },
        Change::Followed);
}
