#include "ProofLists.h"
#include "ProofRun.h"
#include "ReminderStore.h"
#include "TempFolder.h"

#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

namespace {

int killCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("QR_CRASH_KILLS", &ok);
#ifdef QR_CRASH_KILLS_DEFAULT
    const int fallback = QR_CRASH_KILLS_DEFAULT;
#else
    const int fallback = 200;
#endif
    return ok && n > 0 ? n : fallback;
}

QStringList loadedRows(const QString& folder)
{
    SystemClock clock;
    ReminderStore store(folder, clock);
    if (store.load() != StoreStatus::Ok)
        return {};
    QStringList rows;
    for (int i = 0; i < store.count(); ++i)
        rows.append(store.rowAt(i));
    return rows;
}

} // namespace

// The writer steps from list k to k + 1 and reports each k once it is written;
// killed at any moment, the file holds the last reported list or the one being
// written, and a restart loads exactly that.
TEST(CrashSafety, EveryKillLeavesTheOldListOrTheNewOne)
{
    TempFolder dir;
    ProofFolder::put(dir.path(), 0);
    const quint32 seed = quint32(QDateTime::currentMSecsSinceEpoch());
    QRandomGenerator rng(seed);
    SCOPED_TRACE(QStringLiteral("seed %1").arg(seed).toStdString());

    qint64 onFile = 0;
    int landedMidWrite = 0;
    QSet<QString> leftovers;
    const int kills = killCount();
    for (int i = 0; i < kills; ++i) {
        QProcess p;
        p.start(QStringLiteral(QR_PROOF_WRITER), {QStringLiteral("crash"), dir.path()});
        ASSERT_TRUE(p.waitForStarted());
        // Past its first write the writer does nothing but write, so any moment
        // after that is a moment mid-write or between two.
        ASSERT_TRUE(p.waitForReadyRead(30000)) << "the writer wrote nothing";
        QThread::msleep(rng.bounded(0, 80));
        p.kill();
        p.waitForFinished();
        ASSERT_EQ(p.exitStatus(), QProcess::CrashExit) << "the writer stopped by itself: "
                                                       << p.exitCode();

        qint64 reported = onFile;
        for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                reported = line.toLongLong();
        const qint64 now = ProofFolder::onFile(dir.path());
        ASSERT_TRUE(now == reported || now == reported + 1)
            << "kill " << i << ": file holds list " << now << ", last written " << reported;
        landedMidWrite += now == reported + 1;

        // A leftover temporary file is never what a restart reads.
        const QStringList others = ProofFolder::others(dir.path());
        for (const QString& name : others)
            ASSERT_TRUE(name.startsWith(QStringLiteral("lembretes.dat."))) << name.toStdString();
        leftovers.unite(QSet<QString>(others.begin(), others.end()));
        ASSERT_EQ(ProofLists::which(loadedRows(dir.path())), now);
        onFile = now;
    }
    RecordProperty("kills", kills);
    RecordProperty("listsWritten", int(onFile));
    RecordProperty("committedButUnreported", landedMidWrite);
    RecordProperty("leftoverFiles", int(leftovers.size()));
    std::printf("%d kills, %lld lists written, %d temporary files left behind\n", kills,
                static_cast<long long>(onFile), int(leftovers.size()));
}
