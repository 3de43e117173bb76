#include "DataFile.h"
#include "FileRows.h"
#include "Reminder.h"

#include <gtest/gtest.h>

// Found by fuzzing: a TAB typed into the file by hand stayed inside a field, so the
// row held six TAB-separated parts and the next write lost one. It reads as a space.
TEST(HandEditedFile, TabInALineKeepsFiveFieldsAndSurvivesTheNextWrite)
{
    const QStringList rows = FileRows::parse("\"a\tb\xA7"
                                             "c\xA7"
                                             "d\xA7"
                                             "e\xA7"
                                             "f\r\n\"\r\n");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringLiteral("a b\tc\td\te\tf"));
    EXPECT_EQ(Reminder::fromRow(rows[0]).toRow(), rows[0]);
    EXPECT_EQ(FileRows::parse(DataFile::serialize(rows)), rows);
}
