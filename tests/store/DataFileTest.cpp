#include "DataFile.h"
#include "Cp1252.h"
#include "FileRows.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QString kRowA = QStringLiteral("26.01.02.10.00.00\t----/----/----\t  \tPão\tLeite");
const QString kRowB = QStringLiteral("26.01.03.11.30.00\t05/01/26\t\u00D7\tReunião\t");
const QByteArray kLineA =
    QByteArray("26.01.02.10.00.00\xA7----/----/----\xA7  \xA7P\xE3o\xA7Leite");
const QByteArray kLineB = QByteArray("26.01.03.11.30.00\xA7"
                                     "05/01/26\xA7\xD7\xA7Reuni\xE3o\xA7");

QByteArray quoted(const QByteArray& text)
{
    return '"' + text + "\"\r\n";
}

} // namespace

TEST(DataFileEmptyForms, freshAndSavedFormsReadAsNoRows)
{
    EXPECT_EQ(DataFile::kFreshFile, QByteArray("\x22\x0D\x0A\x22\x0D\x0A", 6));
    EXPECT_TRUE(FileRows::parse(DataFile::kFreshFile).isEmpty());
    EXPECT_TRUE(FileRows::parse(QByteArray("\"\"\r\n")).isEmpty());
    EXPECT_TRUE(FileRows::parse(QByteArray()).isEmpty());
}

TEST(DataFileEmptyForms, emptyListIsWrittenAsTwoQuotes)
{
    EXPECT_EQ(DataFile::serialize({}), QByteArray("\"\"\r\n"));
    EXPECT_EQ(DataFile::serialize({}, true), QByteArray("\"\"\r\n"));
}

TEST(DataFileLineEndings, saveEndsEveryLineAppendLeavesTheLastOpen)
{
    EXPECT_EQ(DataFile::serialize({kRowA, kRowB}), quoted(kLineA + "\r\n" + kLineB + "\r\n"));
    EXPECT_EQ(DataFile::serialize({kRowA, kRowB}, true), quoted(kLineA + "\r\n" + kLineB));
}

TEST(DataFileLineEndings, bothWritersAndAMissingFinalBreakReadTheSame)
{
    const QStringList rows{kRowA, kRowB};
    const QByteArray saved = quoted(kLineA + "\r\n" + kLineB + "\r\n");
    const QByteArray appended = quoted(kLineA + "\r\n" + kLineB);
    EXPECT_EQ(FileRows::parse(saved), rows);
    EXPECT_EQ(FileRows::parse(appended), rows);
    EXPECT_EQ(FileRows::parse(saved.chopped(2)), rows);
    EXPECT_EQ(FileRows::parse(appended.chopped(2)), rows);
    // Cut inside the last line: what is there is still a row.
    EXPECT_EQ(FileRows::parse('"' + kLineA + "\r\n" + kLineB), rows);
}

TEST(DataFileEscaping, quotesAndLineBreaksAreStoredAsReservedBytes)
{
    const QString row = QStringLiteral("p\td\t  \tDiz \"oi\"\tum\r\ndois\r\ntr\u00EAs");
    const QByteArray line("p\xA7"
                          "d\xA7  \xA7"
                          "Diz \xA4oi\xA4\xA7um\xA5"
                          "dois\xA5tr\xEAs");
    EXPECT_EQ(DataFile::serialize({row}), quoted(line + "\r\n"));
    // Line breaks stay encoded in memory; quotes come back as quotes.
    EXPECT_EQ(FileRows::parse(quoted(line + "\r\n")),
              QStringList{QStringLiteral("p\td\t  \tDiz \"oi\"\tum\u00A5dois\u00A5tr\u00EAs")});
}

TEST(DataFileEscaping, quotesSurviveManyRoundTrips)
{
    QStringList rows{QStringLiteral("p\td\t  \t\"\"título\"\t\"")};
    for (int i = 0; i < 20; ++i) {
        const QByteArray bytes = DataFile::serialize(rows, i % 2 == 1);
        ASSERT_FALSE(bytes.mid(1, bytes.size() - 4).contains('"'));
        rows = FileRows::parse(bytes);
    }
    EXPECT_EQ(rows, QStringList{QStringLiteral("p\td\t  \t\"\"título\"\t\"")});
}

TEST(DataFileEscaping, handTypedQuotesAreDropped)
{
    EXPECT_EQ(FileRows::parse(quoted("a\"b\xA7"
                                     "c\xA7\"\xA7"
                                     "d\xA7"
                                     "e\"")),
              QStringList{QStringLiteral("ab\tc\t\td\te")});
    // A quote between CR and LF is gone before lines are split.
    EXPECT_EQ(FileRows::parse(quoted("a\r\"\nb")), (QStringList{"a\t\t\t\t", "b\t\t\t\t"}));
}

TEST(DataFileLines, blankAndSpaceOnlyLinesAreSkipped)
{
    const QByteArray bytes = quoted("\r\n   \r\n" + kLineA + "\r\n \r\n\r\n" + kLineB + "\r\n  ");
    EXPECT_EQ(FileRows::parse(bytes), (QStringList{kRowA, kRowB}));
    EXPECT_EQ(DataFile::serialize(FileRows::parse(bytes)),
              quoted(kLineA + "\r\n" + kLineB + "\r\n"));
}

TEST(DataFileLines, loneCarriageReturnsAndLineFeedsDoNotSplit)
{
    EXPECT_EQ(FileRows::parse(quoted("a\rb\nc\n\r\xA7x\r")),
              QStringList{QStringLiteral("a\rb\nc\n\r\tx\r\t\t\t")});
}

TEST(DataFileFields, extraFieldsAreDropped)
{
    EXPECT_EQ(FileRows::parse(quoted("1\xA7"
                                     "2\xA7"
                                     "3\xA7"
                                     "4\xA7"
                                     "5\xA7"
                                     "6\xA7"
                                     "7")),
              QStringList{QStringLiteral("1\t2\t3\t4\t5")});
    EXPECT_EQ(FileRows::parse(quoted("1\xA7"
                                     "2\xA7"
                                     "3\xA7"
                                     "4\xA7"
                                     "5\xA7")),
              QStringList{QStringLiteral("1\t2\t3\t4\t5")});
}

TEST(DataFileFields, missingFieldsReadEmpty)
{
    EXPECT_EQ(FileRows::parse(quoted("s\xF3 um\r\n1\xA7"
                                     "2\r\n1\xA7"
                                     "2\xA7"
                                     "3\xA7"
                                     "4")),
              (QStringList{QStringLiteral("s\u00F3 um\t\t\t\t"), QStringLiteral("1\t2\t\t\t"),
                           QStringLiteral("1\t2\t3\t4\t")}));
}

TEST(DataFileFields, handTypedTabReadsAsSpaceAndKeepsTheFields)
{
    const QStringList rows = FileRows::parse(quoted("p\xA7"
                                                    "d\xA7  \xA7"
                                                    "a\tb\xA7"
                                                    "desc"));
    EXPECT_EQ(rows, QStringList{QStringLiteral("p\td\t  \ta b\tdesc")});
    EXPECT_EQ(FileRows::parse(DataFile::serialize(rows)), rows);
}

TEST(DataFileFields, emptyDescriptionEndsTheLineWithTheSeparator)
{
    EXPECT_TRUE(DataFile::serialize({kRowB}).endsWith("\xA7\r\n\"\r\n"));
}

// Lines are read in stretches of several bytes; a byte must read the same
// wherever in the line it stands.
TEST(DataFileFields, everyByteReadsTheSameAtEveryPlaceInALine)
{
    for (int offset = 0; offset < 18; ++offset) {
        for (int b = 0; b < 256; ++b) {
            if (b == '"' || b == '\r' || b == '\n' || b == 0xA7)
                continue;
            const QByteArray line =
                QByteArray(offset, 'x') + char(b) + QByteArray(9, 'y') + "\xA7\xA7\xA7\xA7z";
            const QChar expected = b == '\t' ? QChar(u' ')
                                   : b == 0xA4
                                       ? QChar(u'"')
                                       : QChar(Cp1252::decode(QByteArray(1, char(b))).at(0));
            // The first line holds the opening quote; the others are read without one.
            const QStringList rows = FileRows::parse(quoted(line + "\r\n" + line + "\r\n"));
            const QString row = QString(offset, u'x') + expected + QString(9, u'y') + "\t\t\t\tz";
            ASSERT_EQ(rows, (QStringList{row, row})) << "byte " << b << " at " << offset;
        }
    }
}
