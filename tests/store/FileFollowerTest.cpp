#include "FileFollower.h"
#include "TempFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kFile = QStringLiteral("lembretes.dat");
const QByteArray kWhole = "\"a\xA7----/----/----\xA7  \xA7t\xA7\r\n\"\r\n";

// A whole file with one more row.
QByteArray whole(int n)
{
    return kWhole.chopped(3) + QByteArray::number(n) + "\xA7\xA7\xA7\xA7\r\n\"\r\n";
}

class Follow : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_.write(kFile, kWhole);
        follower_ = std::make_unique<FileFollower>(folder_.file(kFile), kTiming);
        if (!follower_->following())
            GTEST_SKIP() << "no kernel notifications here";
    }

    // Writes in place, as an editor that keeps the inode does.
    void writeInPlace(const QByteArray& bytes)
    {
        QFile f(folder_.file(kFile));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void renameOver(const QByteArray& bytes)
    {
        folder_.write(QStringLiteral("new.tmp"), bytes);
        ASSERT_TRUE(QFile::remove(folder_.file(kFile)));
        ASSERT_TRUE(QFile::rename(folder_.file(QStringLiteral("new.tmp")), folder_.file(kFile)));
    }

    static constexpr FileFollower::Timing kTiming{100, 600, 150};
    TempFolder folder_;
    std::unique_ptr<FileFollower> follower_;
};

TEST_F(Follow, InPlaceWritesInABurstAreOneChangeAfterTheyStop)
{
    QSignalSpy settled(follower_.get(), &FileFollower::settled);
    QElapsedTimer sinceLast;
    for (int i = 0; i < 3; ++i) {
        writeInPlace(whole(i));
        sinceLast.start();
        QTest::qWait(40);
    }
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_GE(sinceLast.elapsed(), kTiming.quietMs - 10);
    QTest::qWait(kTiming.quietMs * 2);
    EXPECT_EQ(settled.count(), 1);
}

TEST_F(Follow, AFileThatKeepsChangingIsLookedAtByTheLatestTime)
{
    QSignalSpy settled(follower_.get(), &FileFollower::settled);
    QElapsedTimer clock;
    clock.start();
    while (settled.isEmpty() && clock.elapsed() < 3000) {
        writeInPlace(kWhole);
        QTest::qWait(30);
    }
    ASSERT_EQ(settled.count(), 1);
    EXPECT_LT(clock.elapsed(), kTiming.latestMs + 400);
}

TEST_F(Follow, ARenameOverTheFileIsSeenAndSoIsTheNextInPlaceWrite)
{
    QSignalSpy settled(follower_.get(), &FileFollower::settled);
    renameOver(whole(1));
    ASSERT_TRUE(settled.wait(2000));
    writeInPlace(kWhole);
    ASSERT_TRUE(settled.wait(2000));
}

TEST_F(Follow, ASecondLookComesAfterAPauseAsTheLastTry)
{
    QSignalSpy settled(follower_.get(), &FileFollower::settled);
    writeInPlace(QByteArray());
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_FALSE(settled.at(0).at(0).toBool());
    QElapsedTimer pause;
    pause.start();
    follower_->lookAgain();
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_GE(pause.elapsed(), kTiming.recheckMs - 10);
    EXPECT_TRUE(settled.at(1).at(0).toBool());
    // The next change is a first look again.
    writeInPlace(kWhole);
    ASSERT_TRUE(settled.wait(2000));
    EXPECT_FALSE(settled.at(2).at(0).toBool());
}

TEST_F(Follow, AVanishedFileAndItsReturnAreSeen)
{
    QSignalSpy settled(follower_.get(), &FileFollower::settled);
    ASSERT_TRUE(QFile::remove(folder_.file(kFile)));
    ASSERT_TRUE(settled.wait(2000));
    folder_.write(kFile, kWhole);
    ASSERT_TRUE(settled.wait(2000));
    // Watched again once back.
    writeInPlace(whole(2));
    ASSERT_TRUE(settled.wait(2000));
}

TEST_F(Follow, ConflictCopiesAreReportedOnceWhenTheyAppear)
{
    const QString old = QStringLiteral("lembretes.sync-conflict-20260101-101010-ABCDEFG.dat");
    const QString fresh = QStringLiteral("lembretes.sync-conflict-20260102-101010-ABCDEFG.dat");
    folder_.write(old, kWhole);
    EXPECT_EQ(follower_->conflictCopies(), QStringList{folder_.file(old)});

    QSignalSpy appeared(follower_.get(), &FileFollower::conflictCopiesAppeared);
    folder_.write(QStringLiteral("notes.txt"), "x");
    folder_.write(fresh, kWhole);
    ASSERT_TRUE(appeared.wait(2000));
    EXPECT_EQ(appeared.at(0).at(0).toStringList(), QStringList{folder_.file(fresh)});

    // A copy left where it was is not news at the next change of the folder.
    folder_.write(QStringLiteral("other.txt"), "y");
    QTest::qWait(kTiming.latestMs);
    EXPECT_EQ(appeared.count(), 1);
}

} // namespace
