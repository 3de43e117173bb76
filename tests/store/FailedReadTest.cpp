#include "ChildProcess.h"
#include "QtPrinters.h"
#include "StoreProbe.h"
#include "TempFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// In the child: load, then try every write; report each status, the load's
// by name too, and the count. Writes name row 0, which an empty list lacks, so a
// refusal for that reason would show as NoSuchRow instead.
QStringList loadThenTryEveryWrite(const QString& folder)
{
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));
    ReminderStore store(folder, clock);
    const StoreStatus loaded = store.load();
    QStringList out{QString::number(int(loaded)), StoreProbe::name(loaded),
                    QString::number(store.count())};
    out << QString::number(int(store.saveAll()))
        << QString::number(
               int(store.append({.due = Reminder::kNoDue, .title = "t", .description = "d"})))
        << QString::number(int(store.deleteAt(0)))
        << QString::number(int(store.replaceAt(0, Reminder{})));
    return out;
}

const QString kReadFailed = QString::number(int(StoreStatus::ReadFailed));
const QStringList kEverythingRefused{
    kReadFailed, QStringLiteral("ReadFailed"), "0", kReadFailed, kReadFailed, kReadFailed,
    kReadFailed};

class FailedRead : public ::testing::Test {
protected:
    QByteArray pathBytes() const
    {
        return QFile::encodeName(folder.file(ReminderStore::kFileName));
    }
    TempFolder folder;
};

} // namespace

TEST_F(FailedRead, folderWhereTheFileShouldBeIsNeverReplaced)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(ReminderStore::kFileName));
    folder.write(ReminderStore::kFileName + QStringLiteral("/dentro"), "x");
    EXPECT_EQ(loadThenTryEveryWrite(folder.path()), kEverythingRefused);
    EXPECT_TRUE(QFileInfo(folder.file(ReminderStore::kFileName)).isDir());
    EXPECT_EQ(folder.read(ReminderStore::kFileName + QStringLiteral("/dentro")), QByteArray("x"));
    EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});
}

TEST_F(FailedRead, fileThatCannotBeReadIsNeverReplaced)
{
    const QByteArray original = StoreProbe::sampleFile(3);
    folder.write(ReminderStore::kFileName, original);
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(pathBytes().constData(), 0), 0);
    struct stat before {};
    ASSERT_EQ(::stat(pathBytes().constData(), &before), 0);

    const ChildOutcome child = runInChild([&] {
        if (!becomeUnprivileged())
            return QStringList{kNoUser};
        return loadThenTryEveryWrite(folder.path());
    });
    ASSERT_TRUE(child.exited && child.code == 0);
    if (child.lines == QStringList{kNoUser})
        GTEST_SKIP() << kNoUser.toStdString();
    EXPECT_EQ(child.lines, kEverythingRefused);

    struct stat after {};
    ASSERT_EQ(::stat(pathBytes().constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0u);
    ::chmod(pathBytes().constData(), 0600);
    EXPECT_EQ(folder.read(ReminderStore::kFileName), original);
    EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});
}

// Opening a FIFO for reading waits for a writer; start-up must not hang on one.
TEST_F(FailedRead, fifoIsNotReadAndNotReplaced)
{
    ASSERT_EQ(::mkfifo(pathBytes().constData(), 0644), 0);
    const ChildOutcome child = runInChild([&] { return loadThenTryEveryWrite(folder.path()); }, 10);
    ASSERT_TRUE(child.exited) << "the load blocked";
    EXPECT_EQ(child.lines, kEverythingRefused);
    struct stat st {};
    ASSERT_EQ(::stat(pathBytes().constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(FailedRead, danglingLinkIsNotReplaced)
{
    ASSERT_TRUE(QFile::link(folder.file("nowhere"), folder.file(ReminderStore::kFileName)));
    EXPECT_EQ(loadThenTryEveryWrite(folder.path()), kEverythingRefused);
    EXPECT_TRUE(QFileInfo(folder.file(ReminderStore::kFileName)).isSymLink());
    EXPECT_FALSE(QFile::exists(folder.file("nowhere")));
}

// A later load that reads the file clears the refusal.
TEST_F(FailedRead, successfulReloadAllowsWritesAgain)
{
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));
    ReminderStore store(folder.path(), clock);
    ASSERT_TRUE(QDir(folder.path()).mkdir(ReminderStore::kFileName));
    ASSERT_EQ(store.load(), StoreStatus::ReadFailed);
    ASSERT_TRUE(QDir(folder.path()).rmdir(ReminderStore::kFileName));
    folder.write(ReminderStore::kFileName, StoreProbe::sampleFile(2));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    EXPECT_EQ(store.count(), 2);
    EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "t", .description = "d"}),
              StoreStatus::Ok);
    EXPECT_EQ(store.count(), 3);
}
