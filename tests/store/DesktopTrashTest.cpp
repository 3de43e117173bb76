#include "DesktopTrash.h"

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
TEST(InTrash, KnowsTheThreeTrashFolders)
{
    EXPECT_TRUE(DesktopTrash::inTrash("/home/u/.local/share/Trash/files/a.dat"));
    EXPECT_TRUE(DesktopTrash::inTrash("/media/stick/.Trash-1000/files/a.dat"));
    EXPECT_TRUE(DesktopTrash::inTrash("/media/stick/.Trash/1000/files/a.dat"));
    EXPECT_FALSE(DesktopTrash::inTrash("/home/u/work/files/a.dat"));
    EXPECT_FALSE(DesktopTrash::inTrash("files/a.dat"));
    EXPECT_FALSE(DesktopTrash::inTrash(QString()));
}
#endif
