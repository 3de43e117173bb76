#include "Fonts.h"

#include <QFontInfo>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Names no system has; each case gives its own substitutes.
const QString kMissing = QStringLiteral("Quivera Absent Face");

TEST(InstalledFamily, KeepsAFamilyTheSystemHas)
{
    EXPECT_EQ(Fonts::installedFamily(QStringLiteral("Liberation Sans")),
              QStringLiteral("Liberation Sans"));
}

TEST(InstalledFamily, NamesTheFirstSubstituteTheSystemHasForOneItLacks)
{
    const QString layout = QStringLiteral("Quivera Layout Face");
    QFont::insertSubstitutions(layout, {kMissing, QStringLiteral("Liberation Sans")});
    EXPECT_EQ(Fonts::installedFamily(layout), QStringLiteral("Liberation Sans"));
    // The same face Qt reaches through the substitution by itself.
    QFont named(layout);
    named.setPixelSize(Fonts::kWindowPixels);
    EXPECT_EQ(QFontInfo(named).family(),
              QFontInfo(QFont(Fonts::installedFamily(layout))).family());
}

TEST(InstalledFamily, LeavesAFamilyWithoutAnInstalledSubstituteToQt)
{
    const QString layout = QStringLiteral("Quivera Lonely Face");
    QFont::insertSubstitution(layout, kMissing);
    EXPECT_EQ(Fonts::installedFamily(layout), layout);
    EXPECT_EQ(Fonts::installedFamily(kMissing), kMissing);
}

TEST(InstalledFamily, TheLayoutsWindowsFontsReachLiberationSans)
{
    Fonts::install();
    for (const QString& layout : {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}) {
        QFont font(Fonts::installedFamily(layout));
        font.setPixelSize(Fonts::kWindowPixels);
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"))
            << layout.toStdString();
    }
}

TEST(UseInstalledFamilies, RenamesOnlyWhatTheLayoutNamedAndKeepsTheRestOfTheFont)
{
    const QString layout = QStringLiteral("Quivera Label Face");
    QFont::insertSubstitution(layout, QStringLiteral("Liberation Sans"));

    QWidget window;
    window.setFont(QFont(QStringLiteral("Liberation Sans")));
    auto* named = new QLabel(&window);
    QFont big(layout);
    big.setPixelSize(32);
    big.setBold(true);
    named->setFont(big);
    auto* inheriting = new QLabel(&window);

    Fonts::useInstalledFamilies(&window);

    EXPECT_EQ(named->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(named->font().pixelSize(), 32);
    EXPECT_TRUE(named->font().bold());
    // A label that takes its parent's font still follows the parent after.
    EXPECT_FALSE(inheriting->testAttribute(Qt::WA_SetFont));
    QFont changed = window.font();
    changed.setPixelSize(13);
    window.setFont(changed);
    EXPECT_EQ(inheriting->font().pixelSize(), 13);
}

} // namespace
