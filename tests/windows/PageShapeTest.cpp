#include "PageWindow.h"
#include "Pictures.h"
#include "WindowShape.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Kind {
    const char* name;
    std::function<QWidget*()> make;
};

// The mask the live window carries, for every kind of secondary window.
TEST(PageShape, EverySecondaryWindowIsClippedToThePage)
{
    const Kind kinds[] = {
        {"PageWindow", [] { return new PageWindow(QStringLiteral("frm1_Escrever")); }},
        {"frm4_Ajuda", [] { return new frm4_Ajuda; }},
        {"frm5_Sobre", [] { return new frm5_Sobre; }},
    };
    for (const Kind& kind : kinds) {
        std::unique_ptr<QWidget> window(kind.make());
        const QRegion mask = window->mask();
        EXPECT_EQ(window->size(), QSize(228, 204)) << kind.name;
        EXPECT_TRUE(mask.contains(QPoint(5, 5))) << kind.name;
        EXPECT_TRUE(mask.contains(QPoint(114, 100))) << kind.name;
        EXPECT_TRUE(mask.contains(QPoint(227, 150))) << kind.name;
        EXPECT_TRUE(mask.contains(QPoint(10, 203))) << kind.name;
        EXPECT_FALSE(mask.contains(QPoint(17, 3))) << kind.name << ": first notch";
        EXPECT_FALSE(mask.contains(QPoint(209, 4))) << kind.name << ": last notch";
        EXPECT_FALSE(mask.contains(QPoint(225, 200))) << kind.name << ": past the curl";
        EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 228, 204)) << kind.name;
    }
}

// Page picture and mask agree: at 1x every pixel the mask keeps is mostly painted
// by the picture and every pixel it cuts away mostly clear.
TEST(PageShape, PagePictureFollowsTheOutline)
{
    struct Case {
        const char* picture;
        Outline outline;
        QSize size;
    };
    Pictures::load();
    for (const Case& c : {Case{"fundo_principal", MainOutline, {249, 345}},
                          Case{"fundo_pagina", PageOutline, {228, 204}}}) {
        QImage image(c.size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QSvgRenderer(Pictures::path(c.picture)).render(&painter);
        painter.end();
        const QRegion mask =
            WindowShape::region(MakeRegion(c.outline, 1.0f, 1.0f, 0, 0, 15.0, 15.0));
        int disagree = 0;
        for (int y = 0; y < c.size.height(); ++y)
            for (int x = 0; x < c.size.width(); ++x) {
                // An edge through the pixel's centre covers it by half; either
                // side may keep such a pixel.
                const int alpha = qAlpha(image.pixel(x, y));
                const bool halved = alpha >= 127 && alpha <= 129;
                if (!halved && (alpha > 128) != mask.contains(QPoint(x, y)))
                    ++disagree;
            }
        EXPECT_EQ(disagree, 0) << c.picture;
    }
}

} // namespace
