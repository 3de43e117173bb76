#include "DataPlace.h"
#include "ChildProcess.h"
#include "StoreProbe.h"
#include "TempFolder.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

void setMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Runs as an unprivileged user whose data home is dataHome (none: unset, with
// the user's own home, which for "nobody" does not exist). Reports the folder
// chosen and what a store does there: its first load, an append, its count.
QStringList placeAndWrite(const QString& programFolder, bool installed, const QString& dataHome)
{
    if (!becomeUnprivileged())
        return {kNoUser};
    if (dataHome.isEmpty()) {
        ::unsetenv("XDG_DATA_HOME");
        const passwd* pw = ::getpwuid(::getuid());
        ::setenv("HOME", pw ? pw->pw_dir : "/nonexistent", 1);
    } else {
        ::setenv("XDG_DATA_HOME", QFile::encodeName(dataHome).constData(), 1);
    }
    const QString folder = DataPlace::folder(programFolder, installed);
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));
    ReminderStore store(folder, clock);
    const StoreStatus loaded = store.load();
    const StoreStatus appended =
        store.append({.due = Reminder::kNoDue, .title = "t", .description = "d"});
    return {folder, StoreProbe::name(loaded), StoreProbe::name(appended),
            QString::number(store.count())};
}

class DataFilePlace : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Both folders must be reachable by the unprivileged user.
        setMode(program.path(), 0777);
        setMode(home.path(), 0777);
    }
    void TearDown() override { ::chmod(QFile::encodeName(program.path()).constData(), 0700); }

    ChildOutcome run(bool installed, const QString& dataHome)
    {
        return runInChild([&] { return placeAndWrite(program.path(), installed, dataHome); });
    }

    QString userFolder() const { return QDir(home.path()).filePath(UserFolders::kFolderName); }

    TempFolder program;
    TempFolder home;
};

} // namespace

// Today's rule for a copy run from any folder: the file stays beside it when
// the folder takes one, or already has one even if it is read-only.
TEST_F(DataFilePlace, portableCopyKeepsItsFileBesideItself)
{
    ChildOutcome child = run(false, home.path());
    ASSERT_TRUE(child.exited && child.code == 0);
    if (child.lines == QStringList{kNoUser})
        GTEST_SKIP() << kNoUser.toStdString();
    EXPECT_EQ(child.lines, (QStringList{program.path(), "Ok", "Ok", "1"}));
    EXPECT_EQ(StoreProbe::entries(program.path()), QStringList{ReminderStore::kFileName})
        << "the probe that found the folder writable is gone";
    EXPECT_TRUE(StoreProbe::entries(home.path()).isEmpty());

    const QByteArray before = program.read(ReminderStore::kFileName);
    setMode(program.path(), 0555);
    child = run(false, home.path());
    ASSERT_TRUE(child.exited && child.code == 0);
    EXPECT_EQ(child.lines, (QStringList{program.path(), "Ok", "WriteFailed", "1"}));
    EXPECT_EQ(program.read(ReminderStore::kFileName), before);
    EXPECT_TRUE(StoreProbe::entries(home.path()).isEmpty());
}

// An installed build, and a portable copy in a folder that can hold no file,
// keep the file in the user's data folder, made on first use.
TEST_F(DataFilePlace, installedOrUnwritableCopyKeepsItsFileInTheUserDataFolder)
{
    ChildOutcome child = run(true, home.path());
    ASSERT_TRUE(child.exited && child.code == 0);
    if (child.lines == QStringList{kNoUser})
        GTEST_SKIP() << kNoUser.toStdString();
    EXPECT_EQ(child.lines, (QStringList{userFolder(), "Ok", "Ok", "1"}));
    EXPECT_TRUE(StoreProbe::entries(program.path()).isEmpty());

    setMode(program.path(), 0555);
    child = run(false, home.path());
    ASSERT_TRUE(child.exited && child.code == 0);
    EXPECT_EQ(child.lines, (QStringList{userFolder(), "Ok", "Ok", "2"})) << "the same file, grown";
    EXPECT_TRUE(StoreProbe::entries(program.path()).isEmpty());
}

TEST_F(DataFilePlace, userDataFolderThatCannotBeMadeStartsEmptyAndRefusesWrites)
{
    const ChildOutcome child = run(true, QString());
    ASSERT_TRUE(child.exited && child.code == 0);
    if (child.lines == QStringList{kNoUser})
        GTEST_SKIP() << kNoUser.toStdString();
    ASSERT_EQ(child.lines.size(), 4);
    EXPECT_TRUE(child.lines[0].endsWith(QStringLiteral("/.local/share/quivera-recordim")))
        << child.lines[0].toStdString();
    EXPECT_EQ(child.lines.mid(1), (QStringList{"WriteFailed", "WriteFailed", "0"}));
}
