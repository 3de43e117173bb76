#include "FileFollower.h"

#include "ConflictName.h"
#include "FileWatchSupport.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

FileFollower::FileFollower(const QString& path, Timing timing, QObject* parent)
    : QObject(parent), path_(path), timing_(timing)
{
    folder_ = QFileInfo(path).absolutePath();
    for (QTimer* t : {&quiet_, &latest_, &recheck_})
        t->setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, &FileFollower::settle);
    connect(&latest_, &QTimer::timeout, this, &FileFollower::settle);
    connect(&recheck_, &QTimer::timeout, this, &FileFollower::settle);

    static bool said = false;
    if (!FileWatchSupport::available()) {
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
    // A change within the pause before a second look: that look waits for it.
    recheck_.stop();
    quiet_.start(timing_.quietMs);
    if (!latest_.isActive())
        latest_.start(timing_.latestMs);
}

QStringList FileFollower::conflictCopies()
{
    QStringList all;
    QSet<QString> now;
    const QStringList names = QDir(folder_).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (!ConflictName::isConflictCopy(name))
            continue;
        now.insert(name);
        all << QDir(folder_).filePath(name);
    }
    knownCopies_ = now;
    return all;
}

void FileFollower::lookAgain()
{
    secondLook_ = true;
    recheck_.start(timing_.recheckMs);
}

void FileFollower::settle()
{
    quiet_.stop();
    latest_.stop();
    recheck_.stop();
    watchFile();
    const bool lastTry = secondLook_;
    secondLook_ = false;
    emit settled(lastTry);
    if (folderTouched_) {
        folderTouched_ = false;
        reportNewCopies();
    }
}

void FileFollower::reportNewCopies()
{
    const QSet<QString> before = knownCopies_;
    QStringList fresh;
    for (const QString& copy : conflictCopies())
        if (!before.contains(QFileInfo(copy).fileName()))
            fresh << copy;
    if (!fresh.isEmpty())
        emit conflictCopiesAppeared(fresh);
}
