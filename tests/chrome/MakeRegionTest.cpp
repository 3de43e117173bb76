#include "WindowShape.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Scaled {
    std::int16_t design;
    int expected;
};

// 120 dots per inch: 12 twips to a pixel, so every coordinate grows by 1.25 and
// halves go to the even neighbour.
TEST(MakeRegion, TwelveTwipsPerPixelRoundsHalvesToEven)
{
    for (const Scaled& c : {Scaled{2, 2}, Scaled{6, 8}, Scaled{11, 14}, Scaled{249, 311}}) {
        const std::array<OutlineVertex, 1> vertex{{{c.design, c.design}}};
        const QPolygon polygon = MakeRegion(vertex, 1.0f, 1.0f, 0, 0, 12.0, 12.0);
        EXPECT_EQ(polygon.at(0), QPoint(c.expected, c.expected)) << "design " << c.design;
    }
}

TEST(MakeRegion, FifteenTwipsPerPixelKeepsEveryVertex)
{
    const QPolygon polygon = MakeRegion(MainOutline, 1.0f, 1.0f, 0, 0, 15.0, 15.0);
    ASSERT_EQ(polygon.size(), 100);
    for (int i = 0; i < polygon.size(); ++i)
        EXPECT_EQ(polygon.at(i), QPoint(MainOutline[i].x, MainOutline[i].y)) << "vertex " << i;
}

TEST(MakeRegion, TwipsPerPixelAreRoundedBeforeUse)
{
    // 14.6 counts as 15 and 12.5 as 12 (ties to even).
    const std::array<OutlineVertex, 1> vertex{{{6, 6}}};
    EXPECT_EQ(MakeRegion(vertex, 1.0f, 1.0f, 0, 0, 14.6, 12.5).at(0), QPoint(6, 8));
}

TEST(MakeRegion, ScaleAndOffsetApplyPerAxis)
{
    const std::array<OutlineVertex, 1> vertex{{{10, 20}}};
    EXPECT_EQ(MakeRegion(vertex, 2.0f, 0.5f, 3, -4, 15.0, 15.0).at(0), QPoint(23, 6));
}

// The outline data as the layout gives it: bounding boxes, the vertices that
// start and end the curl, and the closing vertex next to the first.
TEST(Outlines, BoundsAndLandmarks)
{
    struct Case {
        Outline outline;
        QRect bounds;
        QPoint curlStart, curlEnd, last;
    };
    const Case cases[] = {
        {MainOutline, QRect(QPoint(0, 0), QPoint(249, 345)), {249, 314}, {215, 345}, {0, 342}},
        {PageOutline, QRect(QPoint(0, 0), QPoint(228, 204)), {228, 173}, {194, 204}, {0, 201}},
    };
    for (const Case& c : cases) {
        const QPolygon polygon = MakeRegion(c.outline, 1.0f, 1.0f, 0, 0, 15.0, 15.0);
        EXPECT_EQ(polygon.boundingRect(), c.bounds);
        EXPECT_TRUE(polygon.contains(c.curlStart));
        EXPECT_TRUE(polygon.contains(c.curlEnd));
        EXPECT_EQ(polygon.first(), QPoint(0, 0));
        EXPECT_EQ(polygon.last(), c.last);
    }
}

// Pixels are counted from the top-left; the last column and row of each window
// are inside except where the notches and the curl cut them away.
TEST(WindowShapeRegion, NotchesAndCurlAreCutOut)
{
    const QRegion main = WindowShape::region(MakeRegion(MainOutline, 1.0f, 1.0f, 0, 0, 15, 15));
    EXPECT_TRUE(main.contains(QPoint(5, 5)));      // before the first notch
    EXPECT_FALSE(main.contains(QPoint(17, 4)));    // inside the first notch
    EXPECT_TRUE(main.contains(QPoint(17, 10)));    // just below it
    EXPECT_FALSE(main.contains(QPoint(167, 5)));   // inside the last notch
    EXPECT_TRUE(main.contains(QPoint(200, 0)));    // flat top after the notches
    EXPECT_TRUE(main.contains(QPoint(248, 300)));  // right edge above the curl
    EXPECT_FALSE(main.contains(QPoint(246, 342))); // past the curl
    EXPECT_TRUE(main.contains(QPoint(100, 344)));  // bottom row
    EXPECT_FALSE(main.contains(QPoint(249, 100))); // beyond the page
    EXPECT_EQ(main.boundingRect(), QRect(0, 0, 249, 345));
}

} // namespace
