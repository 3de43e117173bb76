#include "Pictures.h"

#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

// Every picture the windows ask for, at the size its control has in the layout.
TEST(Pictures, EachPictureLoadsAtItsLayoutSize)
{
    struct Case {
        const char* name;
        QSize size;
    };
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
        QSvgRenderer renderer(Pictures::path(c.name));
        EXPECT_TRUE(renderer.isValid()) << c.name;
        EXPECT_EQ(renderer.defaultSize(), c.size) << c.name;
    }
}

TEST(Pictures, IconComesInFourSizes)
{
    const QList<QSize> sizes = Pictures::icon().availableSizes();
    for (int side : {16, 24, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

} // namespace
