#include "compiler/track_model.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Nearest, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(nearest(1.5), 2.0);
    EXPECT_EQ(nearest(2.5), 2.0);
    EXPECT_EQ(nearest(3.5), 4.0);
    EXPECT_EQ(nearest(-2.5), -2.0);
    EXPECT_EQ(nearest(-1.5), -2.0);
    EXPECT_EQ(nearest(2.4999), 2.0);
    EXPECT_EQ(nearest(2.5001), 3.0);
}

TEST(RegoleDegliIndici, MapMetresToCells) {
    struct Caso {
        int32_t (*regola)(int32_t);
        int32_t metri;
        int32_t cella;
    };
    const Caso casi[] = {
        {cella_punto, 75, 2},     {cella_punto, 125, 4},     {cella_punto, 900, 19},
        {cella_punto, 1850, 38},  {cella_punto, 24000, 481}, {cella_tratto, 350, 7},
        {cella_stazione, 850, 16},  // a stretch from 350 m to 850 m ends in cell 16
        {cella_stazione, 350, 6},   // the first station's stop cell
    };
    for (const auto& caso : casi) {
        EXPECT_EQ(caso.regola(caso.metri), caso.cella) << caso.metri << " m";
    }
}

TEST(RegoleDegliIndici, LastCellAndRangeRule) {
    EXPECT_EQ(ultima_cella_per(22500), 590);
    EXPECT_EQ(ultima_cella_per(0), 140);
    EXPECT_EQ(ultima_cella_per(1000000), 20140);
    // Positions up to 50 N - 100 are accepted; stations up to 50 N - 800.
    EXPECT_TRUE(entro_linea(29400, 590));
    EXPECT_FALSE(entro_linea(29401, 590));
    EXPECT_TRUE(entro_linea(28700, 590, margine_stazione));
    EXPECT_FALSE(entro_linea(28701, 590, margine_stazione));
}

TEST(CellaLibera, OnlyEmptyAndMontagnaMarkerCellsAreFree) {
    for (int tipo = 0; tipo <= 255; ++tipo) {
        Cella cella;
        cella.tipo = static_cast<uint8_t>(tipo);
        EXPECT_EQ(cella_libera(cella), tipo == 0 || tipo == 11) << tipo;
    }
}

}  // namespace
}  // namespace scenario
