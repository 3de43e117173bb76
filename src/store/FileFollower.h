#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

struct FollowTiming {
    // Quiet time after the last change before the file is looked at.
    int quietMs = 300;
    // A file that keeps changing is looked at this long after the first change.
    int latestMs = 2000;
    // Pause before a second look at a file caught half-written.
    int recheckMs = 300;
};

// Tells when the data file was changed by someone else: a text editor writing in
// place (only the file's watch fires), a sync tool renaming a new file over it
// (only the folder's watch fires, and the file's watch is gone), a conflict copy
// appearing beside it. Waits for the changes to settle before saying so. No
// polling: without kernel notifications it stays silent.
class FileFollower : public QObject {
    Q_OBJECT
public:
    using Timing = FollowTiming;

    explicit FileFollower(const QString& path, Timing timing = {}, QObject* parent = nullptr);

    // Whether the platform tells of changes at all; false has been said on stderr.
    bool following() const { return following_; }
    // The conflict copies in the folder now (ConflictName), remembered as known so a later look
    // reports only new ones.
    QStringList conflictCopies();
    // The file was caught half-written: settle once more after a pause, that time
    // as the last try.
    void lookAgain();

signals:
    // The file has settled (or is gone) and may differ from what was read last.
    // lastTry: the second look that lookAgain asked for.
    void settled(bool lastTry);
    // Conflict copies that were not in the folder at the last look, full paths.
    void conflictCopiesAppeared(const QStringList& paths);

private:
    void touched(bool folder);
    void settle();
    void reportNewCopies();
    void watchFile();

    QString path_;
    QString folder_;
    Timing timing_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QTimer latest_;
    QTimer recheck_;
    QSet<QString> knownCopies_;
    bool folderTouched_ = false;
    bool secondLook_ = false;
    bool following_ = false;
};
