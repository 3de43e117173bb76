#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

// One running copy per data file. The first start holds a lock in the user's
// runtime folder, named after the data file's canonical path, and listens on a
// local socket; a later start for the same file asks that
// copy to restore its windows instead of opening a second main window whose
// writes would silently undo the first one's.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // How long a second start keeps trying to reach the running copy: both may
    // have been started by one double click.
    static constexpr int kAnswerMs = 2000;
    // How long the running copy waits for a connection to say what it wants.
    static constexpr int kRequestMs = 1000;
    static constexpr QByteArrayView kRequest = "restore\n";
    static constexpr QByteArrayView kAnswer = "ok\n";

    enum class Claim {
        First,      // this copy runs; call listen()
        Restored,   // the running copy restored its windows; exit with 0
        Unanswered, // a copy holds the lock but never answered; exit non-zero
        Unguarded,  // no lock could be made anywhere; run without one
    };

    explicit SingleInstance(const QString& dataPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();
    // Starts answering later starts; false (with a warning) when the socket
    // cannot be opened, in which case later starts exit non-zero.
    bool listen();

    QString serverName() const { return serverName_; }
    // The lock held, wherever it was made.
    QString lockPath() const { return lock_ ? lock_->fileName() : QString(); }

signals:
    void restoreRequested();

private:
    bool takeLock();
    bool askRunningCopy(int waitMs) const;
    void accept();
    void read(QLocalSocket* socket);

    QString dataPath_;
    QString serverName_;
    // Where the lock goes, and where when none can be made there.
    QString firstLockPath_;
    QString fallbackLockPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
