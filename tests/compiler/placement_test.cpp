#include "compiler/placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/test_support.h"

namespace scenario {
namespace {

using test::modello_con_celle;
using test::stesse_celle;

// The fields of one "segnale" line, in file order.
struct Segnale {
    int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};

// Places the signal and returns what became of its `tempo`.
int32_t posa(Modello& modello, Segnale s) {
    memo_segnale(modello, s.posizione, s.sx, s.s1, s.s2, s.s3, s.rapp, s.dx, s.d1, s.d2, s.d3,
                 s.tempo);
    return s.tempo;
}

// The fields of one "rallentamento" line, in file order.
struct Rallentamento {
    int32_t x, v, l, f_tt, f_ta, d_v;
};

void posa(Modello& modello, Rallentamento r) {
    memo_rallentamento(modello, r.x, r.v, r.l, r.f_tt, r.f_ta, r.d_v);
}

Cella& at(std::vector<Cella>& celle, int32_t indice) {
    return celle.at(static_cast<std::size_t>(indice));
}

Cella con(uint8_t tipo, int16_t dato1, int16_t dato2 = 0, int16_t dato3 = 0) {
    Cella cella;
    cella.tipo = tipo;
    cella.dato1 = dato1;
    cella.dato2 = dato2;
    cella.dato3 = dato3;
    return cella;
}

struct CasoSegnale {
    const char* caso;
    Segnale segnale;
    int32_t cella;
    Cella attesa;              // the signal cell
    uint8_t primo_preavviso;   // on cell - 2; the next marks count up by one
    int32_t tempo_dopo;
};

TEST(MemoSegnale, PacksTheSignalAndMarksTheFourApproachCells) {
    auto segnale = [](int16_t d1, int16_t d2, int16_t d3, int16_t d4, uint8_t tempo) {
        Cella c = con(tipo_cella::segnale, d1, d2, d3);
        c.dato4 = d4;
        c.tempo = tempo;
        return c;
    };
    const CasoSegnale casi[] = {
        {"line 1850", {1850, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0}, 38, segnale(42, 0, 0, 8, 0), 81, 0},
        {"line 24000", {24000, 2, 5, 0, 0, 0, 2, 5, 0, 0, 0}, 481, segnale(55, 0, 0, 8, 0), 81, 0},
        {"every member", {1000, 1, 1, 2, 3, 4, 0, 5, 6, 7, 0}, 21, segnale(15, 26, 37, 43, 0), 31, 0},
        {"tempo 50 with sx 2", {1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 50}, 21, segnale(0, 0, 0, 6, 101), 61, 101},
        {"tempo 100 with sx 2", {1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 100}, 21, segnale(0, 0, 0, 6, 101), 61, 101},
        {"tempo 0 with sx 2", {1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 21, segnale(0, 0, 0, 6, 0), 61, 0},
        {"tempo 300 keeps its low byte", {1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 300}, 21, segnale(0, 0, 0, 6, 44), 61, 300},
        {"sx 1 stores no tempo", {1000, 1, 0, 0, 0, 0, 0, 0, 0, 0, 50}, 21, segnale(0, 0, 0, 3, 0), 31, 101},
        // 4000 x 10 = 40000 keeps its low 16 bits; (30 x 3) x 10 + 1 = 901 its low 8.
        {"low bits", {1000, 30, 4000, 0, 0, 0, 0, 0, 0, 0, 0}, 21, segnale(-25536, 0, 0, 90, 0), 133, 0},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.caso);
        Modello modello = modello_con_celle(590);
        std::vector<Cella> attese = modello.celle;
        at(attese, caso.cella) = caso.attesa;
        for (int32_t b = 1; b <= 4; ++b) {
            at(attese, caso.cella - 2 * b).preavviso = static_cast<uint8_t>(caso.primo_preavviso + b - 1);
        }

        EXPECT_EQ(posa(modello, caso.segnale), caso.tempo_dopo);
        EXPECT_TRUE(stesse_celle(attese, modello.celle));
        EXPECT_EQ(modello.codice_errore, codice::nessuno);
    }
}

TEST(MemoSegnale, TakesAMontagnaCellAndLeavesTheMarkedCellsAsTheyWere) {
    Modello modello = modello_con_celle(100);
    Cella& montagna = at(modello.celle, 38);
    montagna.tipo = tipo_cella::marca_montagna;
    montagna.montagna = 12;
    montagna.pendenza = 105;
    at(modello.celle, 34) = con(tipo_cella::fermata, 3);  // approach cells are not tested

    posa(modello, Segnale{1850, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0});

    EXPECT_EQ(modello.codice_errore, codice::nessuno);
    EXPECT_EQ(montagna.tipo, tipo_cella::segnale);
    EXPECT_EQ(montagna.dato1, 42);
    EXPECT_EQ(montagna.montagna, 12);
    EXPECT_EQ(montagna.pendenza, 105);
    Cella fermata = con(tipo_cella::fermata, 3);
    fermata.preavviso = 82;
    EXPECT_EQ(at(modello.celle, 34), fermata);
}

TEST(MemoSegnale, OnABusyCellRecords16AndChangesNothing) {
    Modello modello = modello_con_celle(100);
    at(modello.celle, 38) = con(tipo_cella::cartello, 80);
    const std::vector<Cella> prima = modello.celle;

    EXPECT_EQ(posa(modello, Segnale{1850, 2, 4, 0, 0, 0, 2, 2, 0, 0, 50}), 50);
    EXPECT_EQ(modello.codice_errore, codice::segnale_occupato);
    EXPECT_TRUE(stesse_celle(prima, modello.celle));
}

TEST(MemoSegnale, NearTheOriginDropsTheMarksBeforeCellZero) {
    struct Caso {
        int32_t posizione;
        int32_t cella;
        std::vector<int32_t> segni;
    };
    const Caso casi[] = {
        {325, 8, {6, 4, 2, 0}},  // nearest(7.5) = 8: all four fit
        {300, 7, {5, 3, 1}},
        {100, 3, {1}},
        {-75, 0, {}},  // nearest(-0.5) = 0
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.posizione);
        Modello modello = modello_con_celle(20);
        std::vector<Cella> attese = modello.celle;
        at(attese, caso.cella) = con(tipo_cella::segnale, 10);
        at(attese, caso.cella).dato4 = 3;
        uint8_t preavviso = 31;
        for (const int32_t segno : caso.segni) {
            at(attese, segno).preavviso = preavviso++;
        }
        posa(modello, Segnale{caso.posizione, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0});
        EXPECT_TRUE(stesse_celle(attese, modello.celle));
    }
}

TEST(MemoSegnale, OutsideTheCellsTouchesNothing) {
    for (const int32_t posizione : {-76, 1000, 1000000}) {
        Modello modello = modello_con_celle(20);  // 1000 m is cell 21
        posa(modello, Segnale{posizione, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0});
        EXPECT_TRUE(stesse_celle(modello_con_celle(20).celle, modello.celle)) << posizione;
    }
}

TEST(MemoRallentamento, LaysWarningStartEndAndApproachCells) {
    struct Caso {
        const char* caso;
        Rallentamento rallentamento;
        std::vector<std::pair<int32_t, Cella>> celle;
    };
    const Caso casi[] = {
        {"2000 m",
         {2000, 60, 350, 1, 1, 60},
         {{17, con(4, 60, 60)},
          {41, con(3, 60, 60, 1)},
          {48, con(2, 60, 60, 1)},
          {16, con(5, 1, 1)},
          {15, con(5, 2, 2)},
          {14, con(5, 3, 3)},
          {13, con(5, 4, 4)}}},
        {"1500 m: no warning even with f_ta",
         {1500, 30, 500, 2, 1, 0},
         {{31, con(3, 30, 0, 2)}, {41, con(2, 30, 0, 2)}}},
        {"1550 m",
         {1550, 30, 500, 2, 1, 0},
         {{8, con(4, 30)},
          {32, con(3, 30, 0, 2)},
          {42, con(2, 30, 0, 2)},
          {7, con(5, 1)},
          {6, con(5, 2)},
          {5, con(5, 3)},
          {4, con(5, 4)}}},
        {"1550 m without f_ta",
         {1550, 30, 500, 2, 0, 0},
         {{8, con(4, 30)}, {32, con(3, 30, 0, 2)}, {42, con(2, 30, 0, 2)}}},
        {"start and end on one cell",
         {2000, 40, 20, 3, 0, 0},
         {{17, con(4, 40)}, {41, con(3, 40, 0, 3)}}},
        {"low bits", {2000, 70000, 350, -1, 0, 0}, {{17, con(4, 4464)}, {41, con(3, 4464, 0, -1)}, {48, con(2, 4464, 0, -1)}}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.caso);
        Modello modello = modello_con_celle(100);
        std::vector<Cella> attese = modello.celle;
        for (const auto& [indice, cella] : caso.celle) {
            at(attese, indice) = cella;
        }
        posa(modello, caso.rallentamento);
        EXPECT_EQ(modello.codice_errore, codice::nessuno);
        EXPECT_TRUE(stesse_celle(attese, modello.celle));
    }
}

TEST(MemoRallentamento, WithDvZeroKeepsTheSecondValueOfItsCells) {
    Modello modello = modello_con_celle(100);
    for (auto& cella : modello.celle) {
        cella.dato2 = 7;
    }
    posa(modello, Rallentamento{2000, 60, 350, 1, 1, 0});
    for (const int32_t indice : {13, 14, 15, 16, 17, 41, 48}) {
        EXPECT_EQ(at(modello.celle, indice).dato2, 7) << indice;
    }
    EXPECT_EQ(at(modello.celle, 41).tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(at(modello.celle, 13).dato1, 4);
}

TEST(MemoRallentamento, ABusyCellStopsItWithItsOwnCode) {
    struct Caso {
        int32_t occupata;
        int32_t codice;
        std::vector<int32_t> scritte;  // cells the slowdown wrote before stopping
    };
    const Caso casi[] = {
        {17, codice::avviso_occupato, {}},
        {41, codice::inizio_occupato, {}},
        {48, codice::fine_occupata, {}},
        {16, codice::preavviso_occupato, {17, 41, 48}},
        {13, codice::preavviso_occupato, {17, 41, 48}},
    };
    Modello pulito = modello_con_celle(100);
    posa(pulito, Rallentamento{2000, 60, 350, 1, 1, 60});

    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.occupata);
        Modello modello = modello_con_celle(100);
        at(modello.celle, caso.occupata) = con(tipo_cella::segnale, 42);
        std::vector<Cella> attese = modello.celle;
        for (const int32_t indice : caso.scritte) {
            at(attese, indice) = at(pulito.celle, indice);
        }
        posa(modello, Rallentamento{2000, 60, 350, 1, 1, 60});
        EXPECT_EQ(modello.codice_errore, caso.codice);
        EXPECT_TRUE(stesse_celle(attese, modello.celle));
    }
}

TEST(MemoRallentamento, OutsideTheCellsWritesOnlyTheCellsThatExist) {
    Modello modello = modello_con_celle(45);
    posa(modello, Rallentamento{2000, 60, 350, 1, 1, 60});  // end cell 48 is beyond N
    EXPECT_EQ(modello.codice_errore, codice::nessuno);
    EXPECT_EQ(at(modello.celle, 41).tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(at(modello.celle, 17).tipo, tipo_cella::avviso_rallentamento);
    EXPECT_EQ(modello.celle.size(), 46u);

    Modello vuoto = modello_con_celle(10);
    posa(vuoto, Rallentamento{-5000, 60, -350, 1, 1, 60});
    EXPECT_TRUE(stesse_celle(modello_con_celle(10).celle, vuoto.celle));
}

TEST(ControlloDelleCelle, SignalAtTheLimitsOfTheCells) {
    const Modello modello = modello_con_celle(10);
    EXPECT_TRUE(segnale_nelle_celle(modello, -75));  // cell 0
    EXPECT_FALSE(segnale_nelle_celle(modello, -76));
    EXPECT_TRUE(segnale_nelle_celle(modello, 475));  // nearest(10.5) = 10
    EXPECT_FALSE(segnale_nelle_celle(modello, 476));
}

TEST(ControlloDelleCelle, SlowdownAtTheLimitsOfTheCells) {
    struct Caso {
        Rallentamento r;
        bool nelle_celle;
    };
    const Caso casi[] = {
        {{2000, 60, 950, 1, 1, 60}, true},    // end cell 60 = N
        {{2000, 60, 976, 1, 1, 60}, false},   // end cell 61
        {{-75, 60, 0, 1, 1, 60}, true},       // start and end on cell 0
        {{-76, 60, 100, 1, 0, 60}, false},    // start on cell -1
        {{100, 60, -200, 1, 0, 60}, false},   // end before cell 0
        {{2000, 60, 2147483647, 1, 1, 60}, false},
    };
    const Modello modello = modello_con_celle(60);
    for (const auto& caso : casi) {
        EXPECT_EQ(rallentamento_nelle_celle(modello, caso.r.x, caso.r.l, caso.r.f_ta), caso.nelle_celle)
            << caso.r.x << " + " << caso.r.l;
    }
}

}  // namespace
}  // namespace scenario
