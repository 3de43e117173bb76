#include "LimitaChars.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Group {
    const char* name;
    QString characters;
    int entries;
};

// The allowed set as the table of groups gives it.
const std::vector<Group> kGroups = {
    {"digits", QStringLiteral("0123456789"), 10},
    {"small letters", QStringLiteral("abcdefghijklmnopqrstuvwxyz"), 26},
    {"capital letters", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 26},
    {"accented capitals", QStringLiteral("ÀÁÂÃÄÈÉÊËÌÍÎÏÒÓÔÕÖÙÚÛÜ"), 22},
    {"accented small letters", QStringLiteral("àáâãäèéêëìíîïòóôõöùúûü"), 22},
    {"further letters", QStringLiteral("ÑñÇç"), 4},
    {"punctuation", QStringLiteral(".,:;<>=(){}[]'\"\"-+/\\@&*!¿?|%#$_"), 31},
    {"white space", QStringLiteral(" \r\n"), 3},
};

std::set<int> expectedCodes()
{
    std::set<int> codes{8};
    for (const Group& g : kGroups)
        for (QChar ch : g.characters)
            codes.insert(ch.unicode());
    return codes;
}

} // namespace

TEST(LimitaChars, theSetHas144EntriesInTheGroupsOrder)
{
    QString all;
    for (const Group& g : kGroups) {
        EXPECT_EQ(g.characters.size(), g.entries) << g.name;
        all += g.characters;
    }
    EXPECT_EQ(LimitaChars::allowedSet(), all);
    EXPECT_EQ(LimitaChars::allowedSet().size(), 144);
}

TEST(LimitaChars, everySixteenBitCodeIsLetThroughExactlyWhenInTheSet)
{
    const std::set<int> allowed = expectedCodes();
    int through = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const int expected = allowed.count(code) ? code : 0;
        ASSERT_EQ(LimitaChars::filter(code), expected) << "code " << code;
        through += expected != 0;
    }
    // 143 distinct characters (the quote is listed twice) and backspace.
    EXPECT_EQ(through, 144);
}

TEST(LimitaChars, refusesTheReservedAndLookAlikeCharacters)
{
    for (char16_t code : {u'\t', u'\u00A7', u'\u00A4', u'\u00A5', u'\u00D7', u'~', u'^', u'\u00AA',
                          u'\u00BA', u'\u00B0', u'\u0003', u'\u0016', u'\u0018', u'\u20AC',
                          u'\u00A0', u'`', u'\u00B4', u'\u007F'})
        EXPECT_EQ(LimitaChars::filter(code), LimitaChars::kRefused) << int(code);
}

TEST(LimitaChars, cleanKeepsOnlyAllowedTextAndDropsBreaksForOneLine)
{
    const QString pasted = QStringLiteral("a\tb§c¤d¥e\r\nf\bg~h\u00D7\"i\"");
    EXPECT_EQ(LimitaChars::clean(pasted, true), QStringLiteral("abcde\r\nfgh\"i\""));
    EXPECT_EQ(LimitaChars::clean(pasted, false), QStringLiteral("abcdefgh\"i\""));
}

struct Edit {
    QString before;
    QString after;
    QString kept;
    int cursor;
    // Where the edit left the cursor; -1 where it tells nothing (a text set whole).
    int editCursor = -1;
};

class LimitEdit : public ::testing::TestWithParam<Edit> {};

TEST_P(LimitEdit, cleansAndCutsOnlyWhatCameIn)
{
    const Edit& e = GetParam();
    int cursor = e.editCursor;
    EXPECT_EQ(LimitaChars::limitEdit(e.before, e.after, 5, false, cursor), e.kept);
    EXPECT_EQ(cursor, e.cursor);
}

INSTANTIATE_TEST_SUITE_P(
    TitleEdits, LimitEdit,
    ::testing::Values(
        // typed into the middle, allowed
        Edit{"ac", "abc", "abc", 2},
        // a paste with reserved characters and a line break
        Edit{"ab", "a1§\r\n2b", "a12b", 3},
        // past the limit: only the room left is taken
        Edit{"abc", "abcdefg", "abcde", 5},
        // a selection replaced by a longer text
        Edit{"abcde", "aXYZWVe", "aXYZe", 4},
        // a filled text longer than the limit may shrink but never grow
        Edit{"abcdefgh", "abcdefg", "abcdefg", 7}, Edit{"abcdefgh", "abcdefghi", "abcdefgh", 8},
        // characters the program put in earlier stay
        Edit{"a~b", "a~bc", "a~bc", 4},
        // before an equal letter, typed or erased: the cursor stays where it was
        Edit{"ab", "aab", "aab", 1, 1}, Edit{"aab", "ab", "ab", 0, 0},
        // a word typed mid-text letter by letter, past the limit at its end
        Edit{"ppx", "pppx", "pppx", 2, 2}, Edit{"pppx", "ppopx", "ppopx", 3, 3},
        Edit{"ppopx", "ppoppx", "ppopx", 3, 4},
        // a paste mid-text, a reserved character dropped; one cut to the room left
        Edit{"aab", "aa§aab", "aaaab", 3, 4}, Edit{"abc", "abcabcabc", "ababc", 2, 6}));
