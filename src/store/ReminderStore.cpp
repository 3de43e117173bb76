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

ReminderStore::FileBytes ReminderStore::readFile(const QString& path, const FileSwap::Identity& id)
{
    if (!id.exists)
        return {Read::Missing, {}};
    // Only a regular file is read: opening a FIFO would block for good.
    if (!id.regular || id.size > RowList::kMaxFileSize)
        return {Read::Unreadable, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {file.exists() ? Read::Unreadable : Read::Missing, {}};
    // Too large a file is left alone rather than read in part and overwritten.
    if (file.size() > RowList::kMaxFileSize)
        return {Read::Unreadable, {}};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {Read::Unreadable, {}};
    return {Read::Ok, DataFile::fromEditorUtf8(std::move(bytes))};
}

void ReminderStore::adopt(RowList written, const FileSwap::Identity& id, Pending pending)
{
    if (pending == Pending::OnTop)
        rows_ = ReminderMerge::merge(&base_, rows_, written, today());
    else
        rows_ = written;
    base_ = std::move(written);
    baseId_ = id;
}

StoreStatus ReminderStore::load()
{
    rows_ = base_ = RowList();
    baseId_ = FileSwap::Identity();
    // Nothing read yet, so nothing to protect.
    noteRead(Read::Missing);
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        const FileSwap::Replaced made = FileSwap::replace(path_, DataFile::kFreshFile, {});
        if (made.result == FileSwap::Replaced::Failed)
            return StoreStatus::WriteFailed;
        // One that a sync tool put there meanwhile is read instead.
        if (made.result != FileSwap::Replaced::Appeared) {
            adopt(RowList::fromFile(DataFile::kFreshFile), made.written, Pending::InResult);
            return StoreStatus::Ok;
        }
    }
    // Taken before the read: a change in between shows at the next look.
    const FileSwap::Identity id = FileSwap::identify(path_);
    FileBytes file = readFile(path_, id);
    if (file.read != Read::Ok) {
        // Gone since the look counts too: the file there now is unknown.
        noteRead(Read::Unreadable);
        return StoreStatus::ReadFailed;
    }
    adopt(RowList::fromFile(std::move(file.bytes)), id, Pending::InResult);
    return StoreStatus::Ok;
}

FileChange ReminderStore::followFile(bool lastTry)
{
    const FileSwap::Identity id = FileSwap::identify(path_);
    if (id.exists && !readFailed_ && id == baseId_)
        return FileChange::Unchanged;
    FileBytes file = readFile(path_, id);
    if (file.read == Read::Ok && DataFile::isHalfWritten(file.bytes)) {
        if (!lastTry)
            return FileChange::HalfWritten;
        file.read = Read::Unreadable;
    }
    noteRead(file.read);
    switch (file.read) {
    case Read::Missing:
        // Nothing left to protect: the next write puts the list there again.
        return FileChange::Vanished;
    case Read::Unreadable:
        return FileChange::Unreadable;
    case Read::Ok:
        break;
    }
    if (file.bytes == base_.file()) {
        baseId_ = id;
        return FileChange::Unchanged;
    }
    adopt(RowList::fromFile(std::move(file.bytes), base_), id, Pending::OnTop);
    return FileChange::Reloaded;
}

ReminderStore::Reading ReminderStore::readRows(const FileSwap::Identity& id)
{
    FileBytes file = readFile(path_, id);
    if (file.read == Read::Ok && DataFile::isHalfWritten(file.bytes)) {
        // Another program is writing it right now.
        QThread::msleep(kHalfWrittenPauseMs);
        file = readFile(path_, FileSwap::identify(path_));
        if (file.read == Read::Ok && DataFile::isHalfWritten(file.bytes))
            file.read = Read::Unreadable;
    }
    noteRead(file.read);
    switch (file.read) {
    case Read::Missing:
        return {StoreStatus::Ok, true, {}};
    case Read::Unreadable:
        return {StoreStatus::ReadFailed, false, {}};
    case Read::Ok:
        break;
    }
    if (file.bytes == base_.file())
        return {StoreStatus::Ok, false, base_};
    return {StoreStatus::Ok, false, RowList::fromFile(std::move(file.bytes), base_)};
}

ReminderStore::Current ReminderStore::current()
{
    Current now{StoreStatus::Ok, rows_, base_, FileSwap::identify(path_)};
    if (!now.id.exists || now.id == baseId_)
        return now;
    // Anything but a regular file there cannot be replaced by one.
    if (!now.id.regular) {
        if (QFileInfo(path_).isDir())
            return {StoreStatus::WriteFailed, {}, {}, {}};
        noteRead(Read::Unreadable);
        return {StoreStatus::ReadFailed, {}, {}, {}};
    }
    Reading file = readRows(now.id);
    if (file.status != StoreStatus::Ok)
        return {file.status, {}, {}, {}};
    if (file.missing) {
        now.id = FileSwap::Identity();
        return now;
    }
    if (file.rows.file().constData() == base_.file().constData()) {
        baseId_ = now.id;
        return now;
    }
    now.rows = ReminderMerge::merge(&base_, rows_, file.rows, today());
    now.file = std::move(file.rows);
    return now;
}

template <typename Prepare>
StoreStatus ReminderStore::writeAgainstChanges(Prepare&& prepare, Pending pending)
{
    Write w = prepare();
    int appeared = 1, displaced = 1;
    for (;;) {
        if (w.status != StoreStatus::Ok)
            return w.status;
        if (w.alreadyThere) {
            adopt(std::move(w.basis), w.expected, pending);
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
            const QByteArray other = DataFile::fromEditorUtf8(done.other);
            if (other != w.basis.file() && !DataFile::isHalfWritten(other)) {
                const RowList merged =
                    ReminderMerge::merge(&w.basis, w.result, RowList::fromFile(other), today());
                w.basis = std::exchange(w.result, merged.saved());
                w.expected = done.written;
                continue;
            }
        }
        adopt(std::move(w.result), done.written, pending);
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
            Write w = operation(std::as_const(now.rows));
            w.basis = std::move(now.file);
            w.expected = now.id;
            return w;
        },
        Pending::InResult);
}

StoreStatus ReminderStore::saveAll()
{
    return write([](const RowList& rows) { return Write::of(rows.saved()); });
}

StoreStatus ReminderStore::append(const QString& due, const QString& title,
                                  const QString& description)
{
    const Reminder added{Reminder::stamp(clock_.now()), due, Reminder::kOpen, title, description};
    return write([&added](const RowList& rows) {
        if (rows.count() >= kMaxRows)
            return Write::refused(StoreStatus::Full);
        return Write::of(rows.appended(added.toRow()));
    });
}

StoreStatus ReminderStore::deleteRow(const Reminder& r, int hint)
{
    return write([&](const RowList& rows) {
        // Already gone: the rest is written as a save would write it.
        const int k = ReminderMerge::find(rows, r, hint);
        return Write::of(k < 0 ? rows.saved() : rows.without(k));
    });
}

StoreStatus ReminderStore::replaceRow(const Reminder& original, const Reminder& edited, int hint)
{
    return write([&](const RowList& rows) {
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
    });
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
    if (k < 0 || k >= count())
        return;
    Reminder r = reminderAt(k);
    r.status = status;
    rows_.set(k, r.toRow());
}

int ReminderStore::indexOf(const Reminder& r) const
{
    return ReminderMerge::find(rows_, r);
}

StoreStatus ReminderStore::mergeConflictCopy(const QString& copyPath)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    FileBytes copyFile = readFile(copyPath, FileSwap::identify(copyPath));
    if (copyFile.read != Read::Ok || DataFile::isHalfWritten(copyFile.bytes))
        return StoreStatus::CopyUnreadable;
    const RowList copy = RowList::fromFile(std::move(copyFile.bytes));
    return writeAgainstChanges(
        [&] {
            FileSwap::Identity id = FileSwap::identify(path_);
            if (id.exists && !id.regular)
                return Write::refused(StoreStatus::ReadFailed);
            // Ours is the file under the real name, without the pending changes.
            RowList real = base_;
            if (id.exists && id != baseId_) {
                Reading file = readRows(id);
                if (file.status != StoreStatus::Ok)
                    return Write::refused(file.status);
                if (file.missing)
                    id = FileSwap::Identity();
                else
                    real = std::move(file.rows);
            }
            const RowList merged = ReminderMerge::merge(nullptr, real, copy, today());
            if (merged.count() > kMaxRows && merged.count() > real.count())
                return Write::refused(StoreStatus::Full);
            Write w = Write::of(merged.saved());
            w.basis = std::move(real);
            w.expected = id;
            // The copy adds nothing: the file stays as it is.
            w.alreadyThere = id.exists && w.result.file() == w.basis.file();
            return w;
        },
        Pending::OnTop);
}
