#include "DataFile.h"
#include "ProofLists.h"
#include "ProofRun.h"
#include "ReminderStore.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

namespace {

// Old and new lists of the three sizes: a few bytes (one write, at the final
// flush), 64 KB (written through the buffer) and 1 MB (written past it).
struct Change {
    qint64 from;
    qint64 to;
};
constexpr Change kSmall{4, 6};
constexpr Change kMedium{5, 7};
constexpr Change kLarge{6, 8};
constexpr Change kChanges[] = {kSmall, kMedium, kLarge};

qint64 fileSize(qint64 k)
{
    return DataFile::serialize(ProofLists::rows(k)).size();
}

enum class Expect { Failed, Written, Either };

// Never "Ok" unless file and memory hold the new list; a failure leaves both
// holding the old one; nothing but the data file stays behind.
void expectSound(const TempFolder& dir, const ProofRun& run, Change c, Expect expect)
{
    ASSERT_EQ(run.exitCode, 0) << run.output.constData();
    ASSERT_EQ(run.loadStatus, QStringLiteral("Ok")) << run.output.constData();
    ASSERT_EQ(run.loaded, c.from);
    ASSERT_FALSE(run.tries.isEmpty());
    bool written = false;
    for (const ProofRun::Try& t : run.tries) {
        if (t.status == QStringLiteral("Ok")) {
            EXPECT_EQ(t.inMemory, c.to) << run.output.constData();
            written = true;
        } else {
            EXPECT_EQ(t.status, QStringLiteral("WriteFailed")) << run.output.constData();
            EXPECT_EQ(t.inMemory, written ? c.to : c.from) << run.output.constData();
        }
    }
    EXPECT_EQ(ProofFolder::onFile(dir.path()), written ? c.to : c.from) << run.output.constData();
    EXPECT_EQ(ProofFolder::others(dir.path()), QStringList());
    const QString first = run.tries.first().status;
    if (expect == Expect::Failed) {
        EXPECT_EQ(first, QStringLiteral("WriteFailed")) << run.output.constData();
    }
    if (expect == Expect::Written) {
        EXPECT_EQ(first, QStringLiteral("Ok")) << run.output.constData();
    }
}

ProofRun runFault(const TempFolder& dir, Change c, const QStringList& args)
{
    ProofFolder::put(dir.path(), c.from);
    return ProofRun::write(dir.path(), c.to, args);
}

struct Step {
    const char* point;
    int after;        // calls let through before the failing one
    Expect forGood;   // when every later call fails too
    int swapErrno = 0; // every renameat2 fails so
};

// In the order a write makes them: open the temporary file, write (the small
// list's only write is the final flush), sync it, swap it into place (or rename
// it, where the file system cannot swap), sync the folder, close it.
constexpr Step kSteps[] = {
    {"posix/io/oc/open", 0, Expect::Failed},
    {"posix/io/rw/write", 0, Expect::Failed},
    {"posix/io/rw/write", 1, Expect::Either},
    {"posix/io/rw/write", 2, Expect::Either},
    {"posix/io/rw/write/reduce", 0, Expect::Either},
    {"posix/io/sync/fsync", 0, Expect::Failed},
    {"posix/io/dir/rename", 0, Expect::Failed, EINVAL},
    // The folder sync: the new file is already what every reader sees.
    {"posix/io/sync/fsync", 1, Expect::Written},
    {"posix/io/oc/close", 0, Expect::Either},
};

QString faultPoint(const Step& s, bool once)
{
    return QStringLiteral("%1:after=%2%3")
        .arg(QLatin1String(s.point))
        .arg(s.after)
        .arg(once ? QStringLiteral(":once") : QString());
}

QStringList stepArgs(const Step& s, bool once, int tries)
{
    QStringList args{"--fiu", faultPoint(s, once), "--tries", QString::number(tries)};
    if (s.swapErrno)
        args << "--swap-errno" << QString::number(s.swapErrno);
    return args;
}

} // namespace

TEST(WriteFaults, EachStepFailingForGoodLeavesTheOldListOnFileAndInMemory)
{
    for (const Change c : kChanges)
        for (const Step& s : kSteps) {
            SCOPED_TRACE(faultPoint(s, false).toStdString() + " size " + std::to_string(fileSize(c.to)));
            TempFolder dir;
            expectSound(dir, runFault(dir, c, stepArgs(s, false, 2)), c, s.forGood);
        }
}

TEST(WriteFaults, EachStepFailingOnceLetsTheNextTryWrite)
{
    for (const Change c : kChanges)
        for (const Step& s : kSteps) {
            SCOPED_TRACE(faultPoint(s, true).toStdString() + " size " + std::to_string(fileSize(c.to)));
            TempFolder dir;
            const ProofRun run = runFault(dir, c, stepArgs(s, true, 3));
            expectSound(dir, run, c, s.forGood == Expect::Failed ? Expect::Failed : Expect::Either);
            ASSERT_EQ(run.tries.size(), 3);
            EXPECT_EQ(run.tries.last().status, QStringLiteral("Ok"));
            EXPECT_EQ(ProofFolder::onFile(dir.path()), c.to);
        }
}

// The swap failing outright, and a file system that cannot swap, where the
// plain rename takes over.
TEST(WriteFaults, SwapRefusedLeavesTheOldListAndNoSwapFallsBackToRename)
{
    for (const Change c : kChanges) {
        SCOPED_TRACE("size " + std::to_string(fileSize(c.to)));
        TempFolder refused;
        expectSound(refused, runFault(refused, c, {"--swap-errno", QString::number(EIO)}), c,
                    Expect::Failed);
        TempFolder cannot;
        expectSound(cannot, runFault(cannot, c, {"--swap-errno", QString::number(EINVAL)}), c,
                    Expect::Written);
    }
}

// A file-size limit on the process stands in for a full disk: it cuts the
// small list at its final flush and the large one with a short write.
TEST(WriteFaults, FullDiskAnywhereInTheFileKeepsTheOldList)
{
    for (const Change c : kChanges) {
        const qint64 size = fileSize(c.to);
        for (const qint64 limit : {qint64(1), size / 2, size - 1}) {
            SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(size));
            TempFolder dir;
            expectSound(dir, runFault(dir, c, {"--fsize", QString::number(limit)}), c,
                        Expect::Failed);
        }
        TempFolder dir;
        expectSound(dir, runFault(dir, c, {"--fsize", QString::number(size)}), c, Expect::Written);
    }
}

TEST(FolderFaults, FolderNotWritableKeepsTheOldList)
{
    TempFolder dir;
    ProofFolder::put(dir.path(), kSmall.from);
    // Root ignores permission bits, so the writer drops to nobody when it is root;
    // nobody must still be able to reach and read the folder.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    const ProofRun run = ProofRun::write(dir.path(), kSmall.to, {"--nobody", "--tries", "2"});
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    expectSound(dir, run, kSmall, Expect::Failed);
    EXPECT_EQ(run.tries.last().status, QStringLiteral("WriteFailed"));
}

TEST(FolderFaults, UnreadableFileIsNeverOverwritten)
{
    {
        TempFolder dir;
        ProofFolder::put(dir.path(), kSmall.from);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ExeOther |
                                              QFileDevice::WriteOther | QFileDevice::ReadOther);
        QFile::setPermissions(dir.file(ReminderStore::kFileName), QFileDevice::WriteOwner);
        const ProofRun run = ProofRun::write(dir.path(), kSmall.to, {"--nobody", "--save"});
        QFile::setPermissions(dir.file(ReminderStore::kFileName),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(run.loadStatus, QStringLiteral("ReadFailed"));
        ASSERT_EQ(run.tries.size(), 1);
        EXPECT_EQ(run.tries[0].status, QStringLiteral("ReadFailed"));
        EXPECT_EQ(ProofFolder::onFile(dir.path()), kSmall.from);
    }
    // The same, for root too: the reads of the load fail.
    for (const char* point : {"posix/io/oc/open", "posix/io/rw/read"}) {
        SCOPED_TRACE(point);
        TempFolder dir;
        ProofFolder::put(dir.path(), kLarge.from);
        const ProofRun run = ProofRun::write(dir.path(), kLarge.to,
                                             {"--at-load", "--fiu", point, "--tries", "2", "--save"});
        EXPECT_EQ(run.loadStatus, QStringLiteral("ReadFailed")) << run.output.constData();
        ASSERT_EQ(run.tries.size(), 2);
        for (const ProofRun::Try& t : run.tries)
            EXPECT_EQ(t.status, QStringLiteral("ReadFailed"));
        EXPECT_EQ(ProofFolder::onFile(dir.path()), kLarge.from);
    }
}

TEST(FolderFaults, FolderInPlaceOfTheFileIsNeverReplaced)
{
    TempFolder dir;
    QDir(dir.path()).mkdir(ReminderStore::kFileName);
    ProofRun run = ProofRun::write(dir.path(), 1);
    EXPECT_EQ(run.loadStatus, QStringLiteral("ReadFailed"));
    EXPECT_TRUE(QFileInfo(dir.file(ReminderStore::kFileName)).isDir());

    // Replaced while the program runs.
    TempFolder dir2;
    run = runFault(dir2, kMedium, {"--folder-instead", "--tries", "2"});
    ASSERT_EQ(run.tries.size(), 2);
    for (const ProofRun::Try& t : run.tries) {
        EXPECT_EQ(t.status, QStringLiteral("WriteFailed"));
        EXPECT_EQ(t.inMemory, kMedium.from);
    }
    EXPECT_TRUE(QFileInfo(dir2.file(ReminderStore::kFileName)).isDir());
    EXPECT_EQ(ProofFolder::others(dir2.path()), QStringList());
}

TEST(FolderFaults, FileDeletedWhileRunningIsWrittenAfresh)
{
    TempFolder dir;
    const ProofRun run = runFault(dir, kMedium, {"--unlink"});
    ASSERT_EQ(run.tries.size(), 1);
    EXPECT_EQ(run.tries[0].status, QStringLiteral("Ok"));
    EXPECT_EQ(ProofFolder::onFile(dir.path()), kMedium.to);
}

TEST(FolderFaults, AnotherProgramRewritingTheFileLosesToTheNextWrite)
{
    TempFolder dir;
    const ProofRun run = runFault(dir, kLarge, {"--rewrite", "20", "--tries", "2"});
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.tries.size(), 2);
    for (const ProofRun::Try& t : run.tries) {
        EXPECT_EQ(t.status, QStringLiteral("Ok"));
        EXPECT_EQ(t.inMemory, kLarge.to);
    }
    EXPECT_EQ(ProofFolder::onFile(dir.path()), kLarge.to);
}
