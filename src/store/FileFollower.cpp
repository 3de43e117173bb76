#include "FileFollower.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

// Qt falls back to polling every path when the kernel will not notify; that is
// worse than not following at all, since every write checks the file anyway.
bool kernelNotifies()
{
#ifdef Q_OS_LINUX
    const int fd = ::inotify_init1(IN_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
#endif
    return true;
}

} // namespace

FileFollower::FileFollower(const QString& path, ConflictName isConflictCopy, Timing timing,
                           QObject* parent)
    : QObject(parent), path_(path), isConflictCopy_(std::move(isConflictCopy)), timing_(timing)
{
    const QFileInfo file(path);
    folder_ = file.absolutePath();
    fileName_ = file.fileName();
    for (QTimer* t : {&quiet_, &latest_, &recheck_})
        t->setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, &FileFollower::settle);
    connect(&latest_, &QTimer::timeout, this, &FileFollower::settle);
    connect(&recheck_, &QTimer::timeout, this, &FileFollower::settle);

    static bool said = false;
    if (!kernelNotifies()) {
        if (!said)
            std::fprintf(stderr, "quivera-recordim: this system gives no notice of file changes; "
                                 "changes made elsewhere show at the next write\n");
        said = true;
        return;
    }
    following_ = watcher_.addPath(folder_);
    watchFile();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { touched(false); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { touched(true); });
}

void FileFollower::watchFile()
{
    // A rename over the file drops its watch with the old inode.
    if (following_ && !watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
}

void FileFollower::touched(bool folder)
{
    folderTouched_ = folderTouched_ || folder;
    watchFile();
    recheck_.stop();
    quiet_.start(timing_.quietMs);
    if (!latest_.isActive())
        latest_.start(timing_.latestMs);
}

bool FileFollower::halfWritten(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = file.size();
    const QByteArray head = file.read(4);
    // An editor may have put a byte order mark before the quote.
    const qint64 opening = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (head.size() <= opening || head.at(opening) != '"')
        return true;
    // Hand-edited files may end in blank lines or spaces after the quote.
    const qint64 tailAt = qMax<qint64>(0, size - 64);
    if (!file.seek(tailAt))
        return true;
    QByteArray tail = file.read(64);
    while (!tail.isEmpty() && QByteArrayView(" \t\r\n").contains(tail.back()))
        tail.chop(1);
    return tail.isEmpty() || tail.back() != '"' || tailAt + tail.size() - 1 <= opening;
}

QStringList FileFollower::conflictCopies()
{
    QStringList all;
    QSet<QString> now;
    const QStringList names = QDir(folder_).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (!isConflictCopy_ || !isConflictCopy_(name))
            continue;
        now.insert(name);
        all << QDir(folder_).filePath(name);
    }
    knownCopies_ = now;
    return all;
}

void FileFollower::settle()
{
    quiet_.stop();
    latest_.stop();
    recheck_.stop();
    watchFile();
    if (!QFileInfo::exists(path_)) {
        secondLook_ = false;
        emit vanished();
    } else if (halfWritten(path_)) {
        if (!secondLook_) {
            secondLook_ = true;
            recheck_.start(timing_.recheckMs);
            return;
        }
        secondLook_ = false;
        emit unreadable();
        return;
    } else {
        secondLook_ = false;
        emit changed();
    }
    if (!folderTouched_)
        return;
    folderTouched_ = false;
    const QSet<QString> before = knownCopies_;
    QStringList fresh;
    for (const QString& copy : conflictCopies())
        if (!before.contains(QFileInfo(copy).fileName()))
            fresh << copy;
    if (!fresh.isEmpty())
        emit conflictCopiesAppeared(fresh);
}
