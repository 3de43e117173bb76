#include "ReminderStore.h"

#include "DataFile.h"
#include "ReminderMerge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

// Rounds of merging what another program put in place in the last moment
// before a write, or of a file appearing where there was none.
constexpr int kTries = 4;
// A file caught half-written during a write is read once more after this.
constexpr int kHalfWrittenPauseMs = 150;

enum class Read { Ok, Missing, Unreadable };

Read readFile(const QString& path, const SafeFile::Identity& id, QByteArray& out)
{
    if (!id.exists)
        return Read::Missing;
    // Only a regular file is read: opening a FIFO would block for good.
    if (!id.regular || id.size > RowList::kMaxFileSize)
        return Read::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? Read::Unreadable : Read::Missing;
    // Too large a file is left alone rather than read in part and overwritten.
    if (file.size() > RowList::kMaxFileSize)
        return Read::Unreadable;
    out = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Read::Unreadable;
    out = DataFile::fromEditorUtf8(std::move(out));
    return Read::Ok;
}

} // namespace

QString storeMessage(StoreStatus status)
{
    switch (status) {
    case StoreStatus::Ok:
    case StoreStatus::CopyUnreadable:
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

struct ReminderStore::Current {
    RowList rows;
    RowList file;
    SafeFile::Identity id;
};

ReminderStore::ReminderStore(const QString& folder, const Clock& clock)
    : path_(QDir(folder).filePath(kFileName)), clock_(clock)
{
}

StoreStatus ReminderStore::load()
{
    rows_ = RowList();
    base_ = RowList();
    baseId_ = SafeFile::Identity();
    readFailed_ = false;
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        const SafeFile::Replaced made = SafeFile::replace(path_, DataFile::kFreshFile, {});
        if (made.result == SafeFile::Replaced::Failed)
            return StoreStatus::WriteFailed;
        // One that a sync tool put there meanwhile is read instead.
        if (made.result != SafeFile::Replaced::Appeared) {
            base_ = rows_ = RowList::fromFile(DataFile::kFreshFile);
            baseId_ = made.written;
            return StoreStatus::Ok;
        }
    }
    // Taken before the read: a change in between shows at the next look.
    const SafeFile::Identity id = SafeFile::identify(path_);
    QByteArray bytes;
    if (readFile(path_, id, bytes) != Read::Ok) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    base_ = rows_ = RowList::fromFile(std::move(bytes));
    baseId_ = id;
    return StoreStatus::Ok;
}

FileChange ReminderStore::followFile(bool lastTry)
{
    const SafeFile::Identity id = SafeFile::identify(path_);
    if (!id.exists) {
        // Nothing left to protect: the next write puts the list there again.
        readFailed_ = false;
        return FileChange::Vanished;
    }
    if (!readFailed_ && id == baseId_)
        return FileChange::Unchanged;
    QByteArray bytes;
    switch (readFile(path_, id, bytes)) {
    case Read::Missing:
        readFailed_ = false;
        return FileChange::Vanished;
    case Read::Unreadable:
        readFailed_ = true;
        return FileChange::Unreadable;
    case Read::Ok:
        break;
    }
    if (DataFile::isHalfWritten(bytes)) {
        if (!lastTry)
            return FileChange::HalfWritten;
        readFailed_ = true;
        return FileChange::Unreadable;
    }
    readFailed_ = false;
    if (bytes == base_.file()) {
        baseId_ = id;
        return FileChange::Unchanged;
    }
    RowList file = RowList::fromFile(std::move(bytes), base_);
    rows_ = ReminderMerge::merge(&base_, rows_, file, today());
    base_ = std::move(file);
    baseId_ = id;
    return FileChange::Reloaded;
}

StoreStatus ReminderStore::readRows(const SafeFile::Identity& id, RowList& out, bool& missing)
{
    missing = false;
    QByteArray bytes;
    Read read = readFile(path_, id, bytes);
    if (read == Read::Ok && DataFile::isHalfWritten(bytes)) {
        // Another program is writing it right now.
        QThread::msleep(kHalfWrittenPauseMs);
        read = readFile(path_, SafeFile::identify(path_), bytes);
        if (read == Read::Ok && DataFile::isHalfWritten(bytes))
            read = Read::Unreadable;
    }
    if (read == Read::Missing) {
        missing = true;
        return StoreStatus::Ok;
    }
    if (read == Read::Unreadable) {
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    out = bytes == base_.file() ? base_ : RowList::fromFile(std::move(bytes), base_);
    return StoreStatus::Ok;
}

StoreStatus ReminderStore::current(Current& out)
{
    out.id = SafeFile::identify(path_);
    out.rows = rows_;
    out.file = base_;
    if (!out.id.exists || out.id == baseId_)
        return StoreStatus::Ok;
    // Anything but a regular file there cannot be replaced by one.
    if (!out.id.regular) {
        if (QFileInfo(path_).isDir())
            return StoreStatus::WriteFailed;
        readFailed_ = true;
        return StoreStatus::ReadFailed;
    }
    bool missing = false;
    RowList file;
    if (const StoreStatus s = readRows(out.id, file, missing); s != StoreStatus::Ok)
        return s;
    if (missing) {
        out.id = SafeFile::Identity();
        return StoreStatus::Ok;
    }
    if (file.file().constData() == base_.file().constData()) {
        baseId_ = out.id;
        return StoreStatus::Ok;
    }
    out.rows = ReminderMerge::merge(&base_, rows_, file, today());
    out.file = std::move(file);
    return StoreStatus::Ok;
}

ReminderStore::Commit ReminderStore::commit(RowList result, RowList basis,
                                            SafeFile::Identity expected, bool keepPending)
{
    for (int round = 0;; ++round) {
        if (result.tooLarge())
            return Commit::Failed;
        const SafeFile::Replaced done = SafeFile::replace(path_, result.file(), expected);
        if (done.result == SafeFile::Replaced::Failed)
            return Commit::Failed;
        if (done.result == SafeFile::Replaced::Appeared)
            return Commit::Again;
        if (done.result == SafeFile::Replaced::Displaced && round + 1 < kTries) {
            // Written over a change made since the check: merge it and write again.
            const QByteArray other = DataFile::fromEditorUtf8(done.other);
            if (other != basis.file() && !DataFile::isHalfWritten(other)) {
                RowList merged = ReminderMerge::merge(&basis, result, RowList::fromFile(other),
                                                      today());
                basis = std::move(result);
                result = merged.saved();
                expected = done.written;
                continue;
            }
        }
        if (keepPending)
            rows_ = ReminderMerge::merge(&base_, rows_, result, today());
        else
            rows_ = result;
        base_ = std::move(result);
        baseId_ = done.written;
        return Commit::Written;
    }
}

template <typename Operation>
StoreStatus ReminderStore::write(Operation&& operation)
{
    if (readFailed_)
        return StoreStatus::ReadFailed;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        Current now;
        if (const StoreStatus s = current(now); s != StoreStatus::Ok)
            return s;
        RowList result;
        if (const StoreStatus s = operation(now.rows, result); s != StoreStatus::Ok)
            return s;
        if (const Commit c = commit(std::move(result), std::move(now.file), now.id, false);
            c != Commit::Again)
            return statusOf(c);
    }
    return StoreStatus::WriteFailed;
}

StoreStatus ReminderStore::saveAll()
{
    return write([](const RowList& rows, RowList& result) {
        result = rows.saved();
        return StoreStatus::Ok;
    });
}

StoreStatus ReminderStore::append(const QString& due, const QString& title,
                                  const QString& description)
{
    const Reminder added{Reminder::stamp(clock_.now()), due, Reminder::kOpen, title, description};
    return write([&added](const RowList& rows, RowList& result) {
        if (rows.count() >= kMaxRows)
            return StoreStatus::Full;
        result = rows.appended(added.toRow());
        return StoreStatus::Ok;
    });
}

StoreStatus ReminderStore::deleteRow(const Reminder& r, int hint)
{
    return write([&](const RowList& rows, RowList& result) {
        // Already gone: the rest is written as a save would write it.
        const int k = ReminderMerge::find(rows, r, hint);
        result = k < 0 ? rows.saved() : rows.without(k);
        return StoreStatus::Ok;
    });
}

StoreStatus ReminderStore::replaceRow(const Reminder& original, const Reminder& edited, int hint)
{
    return write([&](const RowList& rows, RowList& result) {
        const int k = ReminderMerge::find(rows, original, hint);
        if (k < 0) {
            // Deleted elsewhere: the correction brings it back.
            const QByteArray line = DataFile::writtenForm(edited.toRow());
            result = rows.inserted(
                ReminderMerge::placeFor(rows, QByteArrayView(line).first(line.indexOf('\xA7')),
                                        today()),
                line);
            return StoreStatus::Ok;
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
        result = rows.with(k, now.toRow());
        return StoreStatus::Ok;
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
    QByteArray copyBytes;
    if (readFile(copyPath, SafeFile::identify(copyPath), copyBytes) != Read::Ok ||
        DataFile::isHalfWritten(copyBytes))
        return StoreStatus::CopyUnreadable;
    const RowList copy = RowList::fromFile(std::move(copyBytes));

    for (int attempt = 0; attempt < kTries; ++attempt) {
        SafeFile::Identity id = SafeFile::identify(path_);
        if (id.exists && !id.regular)
            return StoreStatus::ReadFailed;
        // Ours is the file under the real name, without the pending changes.
        RowList real = base_;
        if (id.exists && id != baseId_) {
            bool missing = false;
            if (const StoreStatus s = readRows(id, real, missing); s != StoreStatus::Ok)
                return s;
            if (missing)
                id = SafeFile::Identity();
        }
        const RowList merged = ReminderMerge::merge(nullptr, real, copy, today());
        if (merged.count() > kMaxRows && merged.count() > real.count())
            return StoreStatus::Full;
        RowList result = merged.saved();
        if (id.exists && result.file() == real.file()) {
            // The copy adds nothing: leave the file as it is.
            rows_ = ReminderMerge::merge(&base_, rows_, real, today());
            base_ = std::move(real);
            baseId_ = id;
            return StoreStatus::Ok;
        }
        if (const Commit c = commit(std::move(result), std::move(real), id, true);
            c != Commit::Again)
            return statusOf(c);
    }
    return StoreStatus::WriteFailed;
}
