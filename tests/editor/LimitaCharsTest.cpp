#include "LimitaChars.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

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

// Text that arrives whole, whatever its route: composed, its gaps made spaces
// (one line) or kept as LF (several), then filtered.
TEST(LimitaChars, cleanComposesKeepsWordsApartAndFilters)
{
    using namespace std::string_view_literals;
    struct Case {
        std::u16string_view brought;
        std::u16string_view oneLine;
        std::u16string_view multiLine;
    };
    const Case cases[] = {
        {u"a\tb\u00A7c\u00A4d\u00A5e\r\nf\bg~h\u00D7\"i\""sv, u"a bcde fgh\"i\""sv,
         u"a bcde\nfgh\"i\""sv},
        // An accent copied apart from its letter, as a PDF or a Mac gives it.
        {u"na\u0303o E\u0301 c\u0327"sv, u"n\u00E3o \u00C9 \u00E7"sv, u"n\u00E3o \u00C9 \u00E7"sv},
        // A composed letter outside the set still goes, and so does a lone mark.
        {u"a\u0328b\u0303"sv, u"b"sv, u"b"sv},
        {u"Comprar\npao"sv, u"Comprar pao"sv, u"Comprar\npao"sv},
        {u"um\r\n\r\n\tdois\r"sv, u"um dois "sv, u"um\n\n dois\n"sv},
        {u"\t\tx\t \ty"sv, u" x   y"sv, u"  x   y"sv},
        {u"\r\u00A7c"sv, u" c"sv, u"\nc"sv},
        {u"a\0b\u007F\u0085c\xD800"
         u"d"sv,
         u"abcd"sv, u"abcd"sv},
        {u""sv, u""sv, u""sv},
    };
    for (const Case& c : cases) {
        const QString brought = QStringView(c.brought).toString();
        const std::string shown = brought.toStdString();
        EXPECT_EQ(LimitaChars::clean(brought, false), QStringView(c.oneLine)) << shown;
        EXPECT_EQ(LimitaChars::clean(brought, true), QStringView(c.multiLine)) << shown;
    }
}
