#include "ChildProcess.h"
#include "QtPrinters.h"
#include "StoreProbe.h"
#include "TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kNoLimit = QStringLiteral("could not limit the file size");

using Operation = std::function<StoreStatus(ReminderStore&)>;

struct NamedOperation {
    const char* name;
    Operation run;
};

const NamedOperation kWrites[] = {
    {"saveAll", [](ReminderStore& s) { return s.saveAll(); }},
    {"append",
     [](ReminderStore& s) {
         return s.append(
             {.due = Reminder::kNoDue, .title = "Novo", .description = "texto do lembrete"});
     }},
    {"deleteAt", [](ReminderStore& s) { return s.deleteAt(1); }},
    {"replaceAt",
     [](ReminderStore& s) {
         Reminder r = s.reminderAt(1);
         r.title = QStringLiteral("Outro título");
         return s.replaceAt(1, r);
     }},
};

// In the child: load, mark a pending status, prepare the failure, run the
// operation; report its status, its message and whether the list moved.
QStringList loadThenWrite(const QString& folder, const std::function<QString()>& prepare,
                          const Operation& operation)
{
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));
    ReminderStore store(folder, clock);
    if (store.load() != StoreStatus::Ok)
        return {QStringLiteral("load failed")};
    store.setStatus(0, Reminder::kDone);
    const QString before = StoreProbe::digest(store);
    if (const QString problem = prepare(); !problem.isEmpty())
        return {problem};
    const StoreStatus status = operation(store);
    return {QString::number(int(status)), StoreProbe::name(status),
            StoreProbe::digest(store) == before ? QStringLiteral("list unchanged")
                                                : QStringLiteral("list changed")};
}

const QStringList kRefusedWrite{QString::number(int(StoreStatus::WriteFailed)),
                                QStringLiteral("WriteFailed"), QStringLiteral("list unchanged")};

class FailedWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = StoreProbe::sampleFile(3);
        folder.write(ReminderStore::kFileName, original);
    }
    void TearDown() override { ::chmod(QFile::encodeName(folder.path()).constData(), 0700); }

    void expectFileAsBefore() const
    {
        EXPECT_EQ(folder.read(ReminderStore::kFileName), original);
        EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});
    }

    TempFolder folder;
    QByteArray original;
};

} // namespace

TEST_F(FailedWrite, fullDiskFailsEveryWriteAndKeepsFileAndList)
{
    for (const auto& op : kWrites) {
        SCOPED_TRACE(op.name);
        const ChildOutcome child = runInChild([&] {
            return loadThenWrite(
                folder.path(), [] { return limitFileSize(16) ? QString() : kNoLimit; }, op.run);
        });
        ASSERT_TRUE(child.exited && child.code == 0);
        EXPECT_EQ(child.lines, kRefusedWrite);
        expectFileAsBefore();
    }
}

// A large list makes the temporary file's write come up short partway, and a
// limit just under its size makes only the very last bytes fail; neither may
// put a truncated file in place. At exactly its size the same save succeeds.
TEST_F(FailedWrite, fullDiskCutsALargeSaveShortWithoutCommittingIt)
{
    original = StoreProbe::sampleFile(20000, 150);
    folder.write(ReminderStore::kFileName, original);
    ASSERT_GT(original.size(), 3 * 1024 * 1024);
    const qsizetype newSize = original.size() - 1; // "  " becomes "×"
    const Operation save = [](ReminderStore& s) { return s.saveAll(); };

    for (const qsizetype limit : {qsizetype(1024 * 1024), newSize - 1}) {
        SCOPED_TRACE(limit);
        const ChildOutcome child = runInChild([&] {
            return loadThenWrite(
                folder.path(), [&] { return limitFileSize(rlim_t(limit)) ? QString() : kNoLimit; },
                save);
        });
        ASSERT_TRUE(child.exited && child.code == 0);
        EXPECT_EQ(child.lines, kRefusedWrite);
        expectFileAsBefore();
    }

    const ChildOutcome child = runInChild([&] {
        return loadThenWrite(
            folder.path(), [&] { return limitFileSize(rlim_t(newSize)) ? QString() : kNoLimit; },
            save);
    });
    ASSERT_TRUE(child.exited && child.code == 0);
    EXPECT_EQ(child.lines.value(0), QString::number(int(StoreStatus::Ok)));
    EXPECT_EQ(folder.read(ReminderStore::kFileName).size(), newSize);
}

TEST_F(FailedWrite, firstStartOnAFullDiskCreatesNoFile)
{
    QFile::remove(folder.file(ReminderStore::kFileName));
    const ChildOutcome child = runInChild([&] {
        if (!limitFileSize(3))
            return QStringList{kNoLimit};
        FixedClock clock(QDateTime::currentDateTime());
        ReminderStore store(folder.path(), clock);
        const StoreStatus status = store.load();
        return QStringList{QString::number(int(status)), StoreProbe::name(status),
                           QString::number(store.count())};
    });
    ASSERT_TRUE(child.exited && child.code == 0);
    EXPECT_EQ(child.lines,
              (QStringList{QString::number(int(StoreStatus::WriteFailed)), "WriteFailed", "0"}));
    EXPECT_TRUE(StoreProbe::entries(folder.path()).isEmpty());
}

TEST_F(FailedWrite, folderThatCannotBeWrittenFailsEveryWrite)
{
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder.file(ReminderStore::kFileName)).constData(), 0644),
              0);
    for (const auto& op : kWrites) {
        SCOPED_TRACE(op.name);
        const ChildOutcome child = runInChild([&] {
            if (!becomeUnprivileged())
                return QStringList{kNoUser};
            return loadThenWrite(
                folder.path(), [] { return QString(); }, op.run);
        });
        ASSERT_TRUE(child.exited && child.code == 0);
        if (child.lines == QStringList{kNoUser})
            GTEST_SKIP() << kNoUser.toStdString();
        EXPECT_EQ(child.lines, kRefusedWrite);
        expectFileAsBefore();
    }
}

TEST_F(FailedWrite, firstStartInAFolderThatCannotBeWrittenCreatesNoFile)
{
    QFile::remove(folder.file(ReminderStore::kFileName));
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
    const ChildOutcome child = runInChild([&] {
        if (!becomeUnprivileged())
            return QStringList{kNoUser};
        FixedClock clock(QDateTime::currentDateTime());
        ReminderStore store(folder.path(), clock);
        const StoreStatus loaded = store.load();
        const StoreStatus appended =
            store.append({.due = Reminder::kNoDue, .title = "t", .description = "d"});
        return QStringList{QString::number(int(loaded)), QString::number(int(appended)),
                           QString::number(store.count())};
    });
    ASSERT_TRUE(child.exited && child.code == 0);
    if (child.lines == QStringList{kNoUser})
        GTEST_SKIP() << kNoUser.toStdString();
    const QString failed = QString::number(int(StoreStatus::WriteFailed));
    EXPECT_EQ(child.lines, (QStringList{failed, failed, "0"}));
    EXPECT_TRUE(StoreProbe::entries(folder.path()).isEmpty());
}
