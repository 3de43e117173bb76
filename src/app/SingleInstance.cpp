#include "SingleInstance.h"

#include "InstancePlaces.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kRetryMs = 50;

// The data file's folder made canonical (the file itself may not exist yet), so
// two paths to one file meet, plus the user: another user's copy of the same
// folder runs beside this one.
QString keyOf(const QString& dataPath)
{
    const QFileInfo file(dataPath);
    QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(file.absolutePath());
    const QByteArray id =
        QDir(folder).filePath(file.fileName()).toUtf8() + '\0' + InstancePlaces::user();
    return QString::fromLatin1(
        QCryptographicHash::hash(id, QCryptographicHash::Sha256).toHex().left(32));
}

void drop(QLocalSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

// A lock file at path, locked or held by a running copy; null when none can be
// made there.
std::unique_ptr<QLockFile> lockAt(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A lock whose process is gone (a crash, kill -9) is taken over at once; a
    // live holder is never timed out.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || lock->error() == QLockFile::LockFailedError)
        return lock;
    return nullptr;
}

void warn(const QString& text)
{
    std::fprintf(stderr, "quivera-recordim: %s\n", qPrintable(text));
}

// The lock lay beside the data file once, where a sync tool carries it to other
// computers. One that this machine's dead process left goes; any other stays,
// and none of them stops a start.
void removeOldLock(const QString& dataPath)
{
    const QString old = dataPath + QStringLiteral(".lock");
    if (!QFileInfo::exists(old))
        return;
    QLockFile lock(old);
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        lock.unlock();
}

} // namespace

SingleInstance::SingleInstance(const QString& dataPath, QObject* parent)
    : QObject(parent), dataPath_(dataPath)
{
    const InstancePlaces::Places places =
        InstancePlaces::of(dataPath, QStringLiteral("quivera-recordim-") + keyOf(dataPath));
    firstLockPath_ = places.lock;
    fallbackLockPath_ = places.fallbackLock;
    serverName_ = places.server;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::takeLock()
{
    if (lock_)
        return lock_->isLocked() || lock_->tryLock(0);
    lock_ = lockAt(firstLockPath_);
    // None in the runtime folder: the temporary folder.
    if (!lock_)
        lock_ = lockAt(fallbackLockPath_);
    return lock_ && lock_->isLocked();
}

SingleInstance::Claim SingleInstance::claim()
{
    removeOldLock(dataPath_);
    if (takeLock())
        return Claim::First;
    if (!lock_) {
        warn(QStringLiteral("no lock can be made for %1; another copy may run unnoticed")
                 .arg(dataPath_));
        return Claim::Unguarded;
    }
    const QDeadlineTimer deadline(kAnswerMs);
    do {
        if (askRunningCopy(int(qMax<qint64>(1, deadline.remainingTime()))))
            return Claim::Restored;
        // The holder may have ended meanwhile.
        if (takeLock())
            return Claim::First;
        QThread::msleep(kRetryMs);
    } while (!deadline.hasExpired());
    warn(QStringLiteral("another copy holds %1 but does not answer").arg(lock_->fileName()));
    return Claim::Unanswered;
}

bool SingleInstance::askRunningCopy(int waitMs) const
{
    const QDeadlineTimer deadline(waitMs);
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(kRequest.data(), kRequest.size());
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    QByteArray answer;
    while (answer.size() < kAnswer.size() && !deadline.hasExpired()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += socket.read(kAnswer.size() - answer.size());
    }
    return answer == kAnswer;
}

bool SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A killed copy leaves its socket behind; only the lock holder gets here.
    QLocalServer::removeServer(serverName_);
    if (!server_->listen(serverName_)) {
        warn(QStringLiteral("cannot answer later starts (%1)").arg(server_->errorString()));
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        socket->setReadBufferSize(kRequest.size() + 1);
        // A connection that says nothing is dropped without ever waiting on it.
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] { drop(socket); });
        timeout->start(kRequestMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable())
            read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket)
{
    QByteArray got = socket->property("request").toByteArray();
    got += socket->read(kRequest.size() + 1 - got.size());
    if (!kRequest.startsWith(got) || socket->bytesAvailable()) {
        drop(socket); // garbage or too much: nothing happens
        return;
    }
    if (got.size() < kRequest.size()) {
        socket->setProperty("request", got);
        return;
    }
    socket->setProperty("request", QByteArray());
    emit restoreRequested();
    socket->write(kAnswer.data(), kAnswer.size());
    socket->disconnectFromServer();
}
