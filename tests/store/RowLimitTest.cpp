#include "QtPrinters.h"
#include "StoreProbe.h"
#include "TempFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class RowLimit : public ::testing::Test {
protected:
    TempFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0))};
    ReminderStore store{folder.path(), clock};
};

} // namespace

TEST_F(RowLimit, handEditedFileWithMoreRowsLoadsThemAll)
{
    const int n = ReminderStore::kMaxRows + 233;
    folder.write(ReminderStore::kFileName, StoreProbe::sampleFile(n, 10));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.count(), n);
    EXPECT_EQ(store.reminderAt(n - 1).title, QStringLiteral("Lembrete \"%1\"").arg(n - 1));
    EXPECT_EQ(store.reminderAt(32767).title, QStringLiteral("Lembrete \"32767\""));
    // Every row stays reachable by its index, past the 16-bit range too.
    ASSERT_EQ(store.deleteAt(n - 1), StoreStatus::Ok);
    EXPECT_EQ(store.count(), n - 1);
}

TEST_F(RowLimit, appendAtTheLimitIsRefusedAndWritesNothing)
{
    for (const int n : {ReminderStore::kMaxRows, ReminderStore::kMaxRows + 1}) {
        SCOPED_TRACE(n);
        const QByteArray original = StoreProbe::sampleFile(n, 10);
        folder.write(ReminderStore::kFileName, original);
        ASSERT_EQ(store.load(), StoreStatus::Ok);
        const QString before = StoreProbe::digest(store);
        const StoreStatus status =
            store.append({.due = Reminder::kNoDue, .title = "um a mais", .description = ""});
        EXPECT_EQ(status, StoreStatus::Full);
        EXPECT_EQ(StoreProbe::digest(store), before);
        EXPECT_EQ(folder.read(ReminderStore::kFileName), original);
    }
}

TEST_F(RowLimit, lastFreePlaceTakesTheAppend)
{
    folder.write(ReminderStore::kFileName, StoreProbe::sampleFile(ReminderStore::kMaxRows - 1, 10));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    ASSERT_EQ(store.append({.due = Reminder::kNoDue, .title = "o último", .description = ""}),
              StoreStatus::Ok);
    EXPECT_EQ(store.count(), ReminderStore::kMaxRows);
    EXPECT_EQ(store.reminderAt(ReminderStore::kMaxRows - 1).title, QStringLiteral("o último"));
    EXPECT_EQ(store.append({.due = Reminder::kNoDue, .title = "mais um", .description = ""}),
              StoreStatus::Full);
}

TEST_F(RowLimit, fileGrownPastTheLimitElsewhereLoadsWhole)
{
    folder.write(ReminderStore::kFileName, StoreProbe::sampleFile(3, 10));
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    const int n = ReminderStore::kMaxRows + 10;
    folder.write(ReminderStore::kFileName, StoreProbe::sampleFile(n, 10));
    EXPECT_EQ(store.followFile(false), FileChange::Reloaded);
    EXPECT_EQ(store.count(), n);
}

// The copy's reminders and the file's together would pass the limit: the copy
// stays, the file is not touched.
TEST_F(RowLimit, conflictCopyWhoseMergePassesTheLimitIsLeft)
{
    const QByteArray original = DataFile::serialize(
        {Reminder{"25.01.01.00.00.00", Reminder::kNoDue, Reminder::kOpen, "A", ""}.toRow(),
         Reminder{"25.01.01.00.00.01", Reminder::kNoDue, Reminder::kOpen, "B", ""}.toRow()});
    folder.write(ReminderStore::kFileName, original);
    ASSERT_EQ(store.load(), StoreStatus::Ok);
    const QString copy = folder.file("lembretes (PC's conflicted copy 2026-03-14).dat");
    folder.write(QFileInfo(copy).fileName(),
                 StoreProbe::sampleFile(ReminderStore::kMaxRows - 1, 10));
    const StoreStatus status = store.mergeConflictCopy(copy);
    EXPECT_EQ(status, StoreStatus::Full);
    EXPECT_EQ(folder.read(ReminderStore::kFileName), original);
    EXPECT_EQ(store.count(), 2);
}
