#include "SingleInstance.h"
#include "TempFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QString dataPath() const { return folder.file(QStringLiteral("lembretes.dat")); }

    // A later start's claim, made on another thread while this one serves.
    SingleInstance::Claim claimMeanwhile()
    {
        auto later = std::async(std::launch::async,
                                [path = dataPath()] { return SingleInstance(path).claim(); });
        while (later.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return later.get();
    }

    TempFolder folder;
};

// Connects and sends bytes; true when the running copy dropped the connection
// within the time it gives a request.
bool droppedAfterSending(const QString& server, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(bytes);
    socket.flush();
    const QDeadlineTimer deadline(SingleInstance::kRequestMs + 1000);
    while (socket.state() != QLocalSocket::UnconnectedState && !deadline.hasExpired())
        QTest::qWait(10);
    return socket.state() == QLocalSocket::UnconnectedState && socket.readAll().isEmpty();
}

} // namespace

// Anything but the one request, from any program of the same user, is dropped
// without a restore and without holding up the running copy.
TEST_F(SingleInstanceTest, onlyTheRestoreRequestRestores)
{
    SingleInstance running(dataPath());
    ASSERT_EQ(running.claim(), SingleInstance::Claim::First);
    ASSERT_TRUE(running.listen());
    QSignalSpy restores(&running, &SingleInstance::restoreRequested);

    EXPECT_TRUE(droppedAfterSending(running.serverName(), "GET / HTTP/1.0\r\n\r\n"));
    EXPECT_TRUE(droppedAfterSending(running.serverName(), "restore\nrestore\n"));
    EXPECT_TRUE(droppedAfterSending(running.serverName(), QByteArray(1 << 20, 'r')));
    EXPECT_EQ(restores.count(), 0);

    // A connection that says nothing is dropped in time, and a later start is
    // answered while it is still open.
    QLocalSocket silent;
    silent.connectToServer(running.serverName());
    ASSERT_TRUE(silent.waitForConnected(1000));
    EXPECT_EQ(claimMeanwhile(), SingleInstance::Claim::Restored);
    EXPECT_EQ(restores.count(), 1);
    EXPECT_EQ(silent.state(), QLocalSocket::ConnectedState) << "the silent one held it up";
    QTest::qWait(SingleInstance::kRequestMs + 200);
    EXPECT_EQ(silent.state(), QLocalSocket::UnconnectedState);
    EXPECT_EQ(restores.count(), 1);
}

// A holder that never answers (hung, or its socket could not be opened) makes a
// later start give up, never run beside it.
TEST_F(SingleInstanceTest, laterStartGivesUpOnAHolderThatNeverAnswers)
{
    SingleInstance running(dataPath());
    ASSERT_EQ(running.claim(), SingleInstance::Claim::First);
    EXPECT_EQ(claimMeanwhile(), SingleInstance::Claim::Unanswered);
}

// The lock once lay beside the data file, where a sync tool carries it to the
// other computer. No such lock stops a start, and the new one is never there.
TEST_F(SingleInstanceTest, oldLocksBesideTheDataFileNeverStopAStart)
{
    const QString old = dataPath() + QStringLiteral(".lock");
    const auto startsFirst = [this] {
        SingleInstance copy(dataPath());
        const bool first = copy.claim() == SingleInstance::Claim::First;
        EXPECT_FALSE(copy.lockPath().startsWith(folder.path())) << copy.lockPath().toStdString();
        return first;
    };

    folder.write(QStringLiteral("lembretes.dat.lock"),
                 "4242\nquivera-recordim\nanother-computer\n");
    EXPECT_TRUE(startsFirst());
    EXPECT_TRUE(QFileInfo::exists(old)) << "another computer's lock is not ours to remove";

    {
        // An older copy on this machine, still running, keeps its lock.
        QLockFile held(old);
        QFile::remove(old);
        ASSERT_TRUE(held.tryLock(0));
        EXPECT_TRUE(startsFirst());
        EXPECT_TRUE(QFileInfo::exists(old));
    }

    QProcess gone;
    // This very test program, asked to run no test, is a process on any platform.
    gone.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=-*")});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    // What this platform's lock says of this machine, with the dead process in it.
    QByteArray mine;
    {
        QLockFile probe(folder.file(QStringLiteral("probe.lock")));
        ASSERT_TRUE(probe.tryLock(0));
        QFile written(folder.file(QStringLiteral("probe.lock")));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        mine = written.readAll();
    }
    folder.write(QStringLiteral("lembretes.dat.lock"),
                 QByteArray::number(pid) + mine.sliced(mine.indexOf('\n')));
    EXPECT_TRUE(startsFirst());
    EXPECT_FALSE(QFileInfo::exists(old)) << "this machine's dead copy left it";
}
