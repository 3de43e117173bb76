#include "PageWindow.h"
#include "Picture.h"
#include "Pictures.h"
#include "ScreenRun.h"
#include "WindowShape.h"
#include "frm4_Ajuda.h"
#include "frm5_Sobre.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTransform>
#include <gtest/gtest.h>

#include <cstdio>
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
        Picture(Pictures::path(c.picture)).render(&painter, QRectF(QPointF(), c.size));
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

// What the live windows carry, against their page picture drawn in the device
// pixels of the screen this program runs on. Where an edge of the picture falls
// between device pixels the mask may keep or cut either side, so a pixel
// disagrees only when no pixel beside it agrees.
TEST(PageShape, LiveMaskFollowsThePictureOnThisScreen)
{
    Pictures::load();
    const qreal dpr = qApp->devicePixelRatio();
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    std::printf("screen dpr %g logical dpi %g\n", dpr, dpi);
    QWidget main;
    main.setFixedSize(249, 345);
    WindowShape::apply(&main, MainOutline);
    PageWindow page(QStringLiteral("frm4_Ajuda"));
    struct Case {
        const char* picture;
        QWidget* window;
    };
    for (const Case& c : {Case{"fundo_principal", &main}, Case{"fundo_pagina", &page}}) {
        const QSize device = (QSizeF(c.window->size()) * dpr).toSize();
        QImage image(device, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        Picture(Pictures::path(c.picture)).render(&painter, QRectF(QPointF(), device));
        painter.end();
        const QRegion mask = QTransform::fromScale(dpr, dpr).map(c.window->mask());
        const auto agrees = [&](int x, int y, bool opaque) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (mask.contains(QPoint(x + dx, y + dy)) == opaque)
                        return true;
            return false;
        };
        int disagree = 0;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                if (alpha > 140 || alpha < 115)
                    disagree += !agrees(x, y, alpha > 140);
            }
        EXPECT_EQ(disagree, 0) << c.picture << " at dpr " << dpr << ", " << dpi << " dpi";
    }
}

// The same on the screens of a user's desktop at 144 and 192 dpi, where Qt's
// scaling makes device pixel ratios of 1.5 and 2, and at 120 dpi with Qt's
// scaling switched off, where the windows keep their pixels at a logical DPI of 120.
TEST(PageShape, LiveMaskFollowsThePictureOnEveryScreen)
{
    struct Case {
        OtherScreen screen;
        const char* seen;
    };
    for (const Case& c : {Case{{1.5, 96, true}, "screen dpr 1.5 logical dpi 96"},
                          Case{{2.0, 96, true}, "screen dpr 2 logical dpi 96"},
                          Case{{1.0, 120, false}, "screen dpr 1 logical dpi 120"}}) {
        const ScreenRunResult run = runOnScreen(
            QStringLiteral("PageShape.LiveMaskFollowsThePictureOnThisScreen"), c.screen);
        EXPECT_TRUE(run.output.contains(QLatin1String(c.seen))) << run.output.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_EQ(run.passed, 1) << c.seen;
    }
}

} // namespace
