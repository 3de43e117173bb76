#include "Picture.h"
#include "Pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QSize size;
};

// Every picture the windows ask for, at the size its control has in the layout.
TEST(Pictures, EachPictureLoadsAtItsLayoutSize)
{
    const Case cases[] = {
        {"fundo_principal", {249, 345}},
        {"papel", {260, 260}},
        {"salvar", {35, 10}},
        {"salvar_red", {35, 10}},
        {"copiar", {40, 11}},
        {"sobre", {30, 10}},
        {"ajuda", {33, 16}},
        {"lembretes", {31, 10}},
        {"vence_em", {52, 6}},
        {"fechar", {26, 25}},
        {"minimizar", {32, 32}},
        {"corrigir", {26, 32}},
        {"escrever", {29, 32}},
        {"apagar", {29, 32}},
        {"retorna", {23, 11}},
        {"avanca", {23, 11}},
        {"retorna_off", {23, 11}},
        {"avanca_off", {23, 11}},
        {"marca", {110, 30}},
        {"fundo_pagina", {228, 204}},
        {"titulo_escrever", {58, 14}},
        {"titulo_atualizar", {69, 14}},
        {"titulo_ver", {70, 17}},
        {"titulo_ajuda", {43, 18}},
        {"titulo_sobre", {42, 18}},
        {"ok", {30, 18}},
        {"calendario", {21, 20}},
        {"mes_anterior", {27, 11}},
        {"mes_atual", {28, 11}},
        {"mes_proximo", {27, 11}},
        {"grade_calendario", {197, 119}},
        {"dobra_calendario", {30, 20}},
        {"logo", {50, 50}},
        {"cursor_mao", {32, 32}},
        {"icone", {48, 48}},
    };
    Pictures::load();
    for (const Case& c : cases) {
        const Picture picture(Pictures::path(c.name));
        EXPECT_TRUE(picture.isValid()) << c.name;
        EXPECT_EQ(picture.defaultSize(), c.size) << c.name;
    }
}

// Windows holds the pictures pre-rendered per scale: each scale gives the device
// pixels asked for, covered as much as at 1x.
TEST(Pictures, EveryScaleDrawsThePictureWhole)
{
    Pictures::load();
    const auto coverage = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage();
        qint64 alpha = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                alpha += qAlpha(image.pixel(x, y));
        return double(alpha) / (255.0 * image.width() * image.height());
    };
    for (const Case& c : {Case{"fechar", {26, 25}}, Case{"fundo_pagina", {228, 204}},
                          Case{"icone", {16, 16}}, Case{"vence_em", {52, 6}}}) {
        const Picture picture(Pictures::path(c.name));
        const double atOne = coverage(picture.pixmap(c.size));
        for (qreal scale : Picture::kScales) {
            const QPixmap pixmap = picture.pixmap(c.size, scale);
            EXPECT_EQ(pixmap.size(), c.size * scale) << c.name << " at " << scale;
            EXPECT_NEAR(coverage(pixmap), atOne, 0.1 * atOne) << c.name << " at " << scale;
        }
    }
}

TEST(Pictures, IconComesInFourSizes)
{
    const QList<QSize> sizes = Pictures::icon().availableSizes();
    for (int side : {16, 24, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

} // namespace
