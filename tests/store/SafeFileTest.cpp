#include "SafeFile.h"
#include "FileSwap.h"
#include "QtPrinters.h"
#include "StoreProbe.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(SafeFile, removesOnlyItsOwnLeftovers)
{
    TempFolder folder;
    const QStringList kept{ReminderStore::kFileName,
                           "lembretes.dat.lock",
                           "lembretes.dat.abcde",
                           "lembretes.dat.ABCDEFG",
                           "lembretes.dat.abc1ef",
                           "lembretes.dat.abc-ef",
                           "outros.dat.abcdef",
                           "lembretes.sync-conflict-20260314-100000-ABCDEF2.dat"};
    for (const QString& name : kept)
        folder.write(name, "x");
    folder.write("lembretes.dat.aBcDeF", "x");
    folder.write("lembretes.dat.ZZZZZZ", "x");
    ASSERT_TRUE(QDir(folder.path()).mkdir("lembretes.dat.qwerty"));
    QStringList expected = kept + QStringList{"lembretes.dat.qwerty"};
#ifdef Q_OS_UNIX
    // Windows makes a shortcut, a plain file, where Unix makes a link.
    ASSERT_TRUE(QFile::link(folder.file("outros.dat.abcdef"), folder.file("lembretes.dat.zzzzzz")));
    expected << "lembretes.dat.zzzzzz";
#endif

    EXPECT_EQ(SafeFile::removeLeftovers(folder.file(ReminderStore::kFileName)), 2);
    QStringList left = StoreProbe::entries(folder.path());
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}

// A file that appears where none was expected is not overwritten unseen.
TEST(SafeFile, fileThatAppearedMeanwhileIsNotReplaced)
{
    TempFolder folder;
    folder.write(ReminderStore::kFileName, "theirs");
    const FileSwap::Replaced r = FileSwap::replace(folder.file(ReminderStore::kFileName), "ours", {});
    EXPECT_EQ(r.result, FileSwap::Replaced::Appeared);
    EXPECT_EQ(folder.read(ReminderStore::kFileName), QByteArray("theirs"));
    EXPECT_EQ(StoreProbe::entries(folder.path()), QStringList{ReminderStore::kFileName});
}
