#include "DataFile.h"
#include "FileRows.h"
#include "Reminder.h"

#include <gtest/gtest.h>

namespace {

// One reminder stored by an append: the file as bytes.
const QByteArray kWorkedExample = QByteArray::fromHex(
    "2232362e30332e31342e30392e30352e3030a732302f30332f3236a72020a7436f6d707261722070e3"
    "6fa74c65697465206520a4636166e9a4a56f766f73220d0a");

const QString kWorkedRow = QStringLiteral("26.03.14.09.05.00\t20/03/26\t  \tComprar pão\t"
                                          "Leite e \"café\"\u00A5ovos");

} // namespace

TEST(WorkedExample, readsAsOneRow)
{
    ASSERT_EQ(kWorkedExample.size(), 65);
    EXPECT_EQ(FileRows::parse(kWorkedExample), QStringList{kWorkedRow});
}

TEST(WorkedExample, appendWritesTheSameBytes)
{
    EXPECT_EQ(DataFile::serialize({kWorkedRow}, true), kWorkedExample);
}
