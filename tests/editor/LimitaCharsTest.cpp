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
