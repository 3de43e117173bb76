#include "MergedCopyBin.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kCopy = QStringLiteral("lembretes.sync-conflict-20260314-090500-ABCDEFG.dat");

// A home, data home and working folder of the test's own; the process's are
// put back afterwards.
class MoveAway : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "LOCALAPPDATA"})
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        workingFolder_ = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(root_.file("home")));
        ASSERT_TRUE(QDir().mkpath(root_.file("work")));
        ASSERT_TRUE(QDir().mkpath(root_.file("data")));
        qputenv("HOME", root_.file("home").toUtf8());
        qunsetenv("XDG_STATE_HOME");
        QDir::setCurrent(root_.file("work"));
    }
    void TearDown() override
    {
        QDir::setCurrent(workingFolder_);
        for (const auto& [name, value, set] : saved_)
            set ? qputenv(name, value) : qunsetenv(name);
    }

    QString copyInDataFolder(const QByteArray& bytes = "\"\"\r\n")
    {
        root_.write(QStringLiteral("data/") + kCopy, bytes);
        return root_.file(QStringLiteral("data/") + kCopy);
    }
    bool workingFolderClean() const { return QDir(root_.file("work")).isEmpty(); }

    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
    QString workingFolder_;
    TempFolder root_;
};

TEST_F(MoveAway, GoesToTheTrashOfTheDataHomeEvenBeforeOneExists)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the Recycle Bin has no data home";
#endif
    qputenv("XDG_DATA_HOME", root_.file("share").toUtf8());
    const QString copy = copyInDataFolder("\"x\"\r\n");
    const QString moved = MergedCopyBin::moveAway(copy);
    EXPECT_EQ(moved, root_.file(QStringLiteral("share/Trash/files/") + kCopy));
    EXPECT_EQ(root_.read(QStringLiteral("share/Trash/files/") + kCopy), "\"x\"\r\n");
    EXPECT_TRUE(QFileInfo::exists(
        root_.file(QStringLiteral("share/Trash/info/") + kCopy + QStringLiteral(".trashinfo"))));
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(workingFolderClean());
}

TEST_F(MoveAway, WithoutATrashGoesToTheProgramsOwnStateFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the Recycle Bin has no data home";
#endif
    // A data home that cannot be made: a plain file stands in its way.
    root_.write(QStringLiteral("plain"), "x");
    qputenv("XDG_DATA_HOME", root_.file("plain/share").toUtf8());
    const QString merged = root_.file("home/.local/state/quivera-recordim/merged/");

    const QString first = MergedCopyBin::moveAway(copyInDataFolder("\"1\"\r\n"));
    EXPECT_EQ(first, merged + kCopy);
    const QString second = MergedCopyBin::moveAway(copyInDataFolder("\"2\"\r\n"));
    EXPECT_EQ(second, merged + kCopy + QStringLiteral(".1"));
    EXPECT_EQ(root_.read(QStringLiteral("home/.local/state/quivera-recordim/merged/") + kCopy),
              "\"1\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(root_.file(QStringLiteral("data/") + kCopy)));
    EXPECT_TRUE(workingFolderClean()) << "a trash made in the working folder is no trash";
}

#ifdef Q_OS_WIN
// Wherever the shell puts it, the copy leaves the synced folder and stays
// where the user can find it: the Recycle Bin, or the local state folder
// (under Wine 8 the shell moves nothing there).
TEST_F(MoveAway, OnWindowsGoesToTheRecycleBinOrTheLocalStateFolder)
{
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(root_.file("local")).toUtf8());
    const QString merged = root_.file("local/quivera-recordim/merged/");
    for (const QByteArray& bytes : {QByteArray("\"1\"\r\n"), QByteArray("\"2\"\r\n")}) {
        const QString copy = copyInDataFolder(bytes);
        const QString moved = MergedCopyBin::moveAway(copy);
        EXPECT_FALSE(QFileInfo::exists(copy));
        if (moved.startsWith(merged)) {
            QFile file(moved);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << moved.toStdString();
            EXPECT_EQ(file.readAll(), bytes);
        } else {
            EXPECT_TRUE(moved.isEmpty() ||
                        moved.contains(QLatin1String("$Recycle.Bin"), Qt::CaseInsensitive))
                << moved.toStdString();
        }
    }
    EXPECT_TRUE(workingFolderClean());
}
#endif

} // namespace
