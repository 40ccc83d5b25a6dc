#include "compiler/code_change_pass.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/test_support.h"

namespace scenario {
namespace {

// Cell types as they appear in the cases.
constexpr uint8_t SEGNALE = tipo_cella::segnale;
constexpr uint8_t FINE = tipo_cella::fine_rallentamento;
constexpr uint8_t INIZIO = tipo_cella::inizio_rallentamento;
constexpr uint8_t AVVISO = tipo_cella::avviso_rallentamento;
constexpr uint8_t MONTAGNA = tipo_cella::marca_montagna;
constexpr uint8_t CAMBIO = tipo_cella::cambio_codice;
constexpr uint8_t CARTELLO = tipo_cella::cartello;  // any busy cell

struct Oggetto {
    int32_t indice;
    uint8_t tipo;
    int16_t dato1 = 0;
};

struct CasoPassata {
    const char* caso;
    std::vector<Oggetto> prima;
    std::vector<int32_t> cambi;        // cells that become code changes with 180
    std::vector<Oggetto> altri = {};   // other cells changed by the pass
    int32_t codice = codice::nessuno;
    int32_t posizione = 0;
    int32_t ultima = 80;
};

void PrintTo(const CasoPassata& caso, std::ostream* os) {
    *os << caso.caso;
}

void metti(std::vector<Cella>& celle, const Oggetto& oggetto) {
    Cella& cella = celle.at(static_cast<std::size_t>(oggetto.indice));
    cella.tipo = oggetto.tipo;
    cella.dato1 = oggetto.dato1;
}

// A slow slowdown from `inizio` to `fine` and a fast one.
std::vector<Oggetto> rallentamento(int32_t inizio, int32_t fine, int16_t velocita = 60) {
    return {{inizio, INIZIO, velocita}, {fine, FINE, velocita}};
}

std::vector<Oggetto> insieme(std::vector<Oggetto> a, const std::vector<Oggetto>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Passata : public ::testing::TestWithParam<CasoPassata> {};

TEST_P(Passata, PlacesCodeChangesAndRecordsTheLastError) {
    const auto& caso = GetParam();
    Modello modello = test::modello_con_celle(caso.ultima);
    for (const auto& oggetto : caso.prima) {
        metti(modello.celle, oggetto);
    }
    std::vector<Cella> attese = modello.celle;
    for (const int32_t indice : caso.cambi) {
        metti(attese, {indice, CAMBIO, 180});
    }
    for (const auto& oggetto : caso.altri) {
        metti(attese, oggetto);
    }

    passa_cambi_codice(modello);

    EXPECT_TRUE(test::stesse_celle(attese, modello.celle));
    EXPECT_EQ(modello.codice_errore, caso.codice);
    EXPECT_EQ(modello.posizione_errore, caso.posizione);
}

const CasoPassata casi_passata[] = {
    // Signals before a warning board.
    {"WarningAtIndex3LooksBackNowhere", {{3, AVVISO}, {2, SEGNALE}}, {}},
    {"SignalOnCell3ReachesCell1", {{10, AVVISO}, {3, SEGNALE}, {2, CARTELLO}}, {1}},
    {"TwoSignalsInOneWindowEachGetOne",
     {{30, AVVISO}, {25, SEGNALE}, {10, SEGNALE}, {9, CARTELLO}, {8, CARTELLO}},
     {24},
     {},
     codice::segnale_senza_cambio,
     500},
    {"SignalBeyond20CellsIsLeftAlone", {{30, AVVISO}, {9, SEGNALE}}, {}},
    {"SignalOn20thCellGetsOne", {{30, AVVISO}, {10, SEGNALE}, {9, MONTAGNA}}, {9}},
    {"FreeDMinus2ComesBeforeLoweringDMinus1",
     {{30, AVVISO}, {25, SEGNALE}, {24, CAMBIO, 150}},
     {23}},
    {"DMinus1AboveIsLoweredDMinus2Untouched",
     {{30, AVVISO}, {25, SEGNALE}, {24, CAMBIO, 200}, {23, CAMBIO, 250}},
     {},
     {{24, CAMBIO, 180}}},
    {"DMinus1AtOrBelowIsKept",
     {{30, AVVISO}, {25, SEGNALE}, {24, CAMBIO, 180}, {23, CAMBIO, 250}},
     {}},
    {"DMinus2IsLoweredWhenDMinus1IsBusy",
     {{30, AVVISO}, {25, SEGNALE}, {24, CARTELLO}, {23, CAMBIO, 300}},
     {},
     {{23, CAMBIO, 180}}},
    // The windows before a slowdown start.
    {"StartAt7HasNoWindow", rallentamento(7, 9, 110), {}},
    {"StartAt8UsesTheFirstWindowDownToCell1",
     insieme(rallentamento(8, 10, 110), {{3, CARTELLO}, {2, CARTELLO}}),
     {1}},
    {"StartAt13HasOneWindow", rallentamento(13, 15, 110), {8}},
    {"StartAt14HasTwoWindows", rallentamento(14, 16, 110), {9, 3}},
    {"StartAt20HasTwoWindows", rallentamento(20, 22, 110), {15, 9}},
    {"StartAt21HasThreeWindows", rallentamento(21, 23, 110), {16, 10, 3}},
    {"BusyFirstWindowRecords12AndTheOthersStillGetOne",
     insieme(rallentamento(30, 32, 110), {{25, CARTELLO}, {24, SEGNALE}, {23, CAMBIO, 100}}),
     {19, 12},
     {},
     codice::finestra_senza_cambio,
     1500},
    {"WindowTakesItsFirstFreeCell",
     insieme(rallentamento(30, 32, 110), {{25, CARTELLO}, {19, FINE}}),
     {24, 18, 12}},
    // Inside a slowdown.
    {"Speed110PlacesNothingInside", rallentamento(30, 50, 110), {25, 19, 12}},
    {"Speed109PlacesEvery8Cells", rallentamento(30, 50, 109), {25, 19, 12, 38, 46}},
    {"ShorterThan8CellsPlacesNothingInside", rallentamento(30, 37), {25, 19, 12}},
    {"MarkOnTheEndCellGoesBeforeIt", rallentamento(30, 38), {25, 19, 12, 37}},
    {"MarkOnTheEndCellGoesAfterItWhenTheCellBeforeIsBusy",
     insieme(rallentamento(30, 38), {{37, CARTELLO}}),
     {25, 19, 12, 39}},
    {"CellBeforeTheMarkKeepsTheSpacing",
     insieme(rallentamento(30, 60), {{38, CARTELLO}}),
     {25, 19, 12, 37, 45, 53}},
    {"CellAfterTheMarkKeepsTheSpacing",
     insieme(rallentamento(30, 60), {{38, CARTELLO}, {37, CARTELLO}}),
     {25, 19, 12, 39, 47, 55}},
    {"NoFreeCellAtTheMarkRecords13AndStopsPlacingInside",
     insieme(rallentamento(30, 60), {{38, CARTELLO}, {37, CARTELLO}, {39, CARTELLO}}),
     {25, 19, 12},
     {},
     codice::rallentamento_senza_cambio,
     1900},
    {"NoEndBeforeTheLastCellPlacesOnlyAlongTheWay",
     {{30, INIZIO, 60}},
     {25, 19, 12, 38},
     {},
     codice::nessuno,
     0,
     40},
    // After the slowdown's end.
    {"SignalAfterTheEndGetsOneBeforeIt", insieme(rallentamento(30, 34), {{40, SEGNALE}}), {25, 19, 12, 39}},
    {"SignalAfterAFastSlowdownStillGetsOne",
     insieme(rallentamento(30, 50, 110), {{62, SEGNALE}}),
     {25, 19, 12, 61}},
    {"SignalThirteenCellsAfterTheEndIsLeftAlone",
     insieme(rallentamento(30, 34), {{47, SEGNALE}}),
     {25, 19, 12}},
    {"SignalRightAfterTheEndTakesTheCellBeforeTheEnd",
     insieme(rallentamento(30, 34), {{35, SEGNALE}}),
     {25, 19, 12, 33}},
    {"OnlyTheFirstSignalCounts",
     insieme(rallentamento(30, 34), {{36, SEGNALE}, {40, SEGNALE}}),
     {25, 19, 12, 35}},
    {"NoFreeCellBeforeTheSignalRecords13AtTheEnd",
     insieme(rallentamento(30, 34), {{37, SEGNALE}, {36, CARTELLO}, {35, CARTELLO}}),
     {25, 19, 12},
     {},
     codice::rallentamento_senza_cambio,
     1700},
    {"SearchStopsAtTheLastCell", insieme(rallentamento(30, 34), {{36, MONTAGNA}}), {25, 19, 12}, {}, 0, 0, 36},
    // Cells the walk never examines.
    {"FirstAndLastTwoCellsAreNotExamined",
     {{0, INIZIO, 110}, {79, AVVISO}, {75, SEGNALE}, {80, INIZIO, 60}},
     {}},
    {"LastExaminedCellIsNMinus2", {{78, AVVISO}, {75, SEGNALE}}, {74}},
};

INSTANTIATE_TEST_SUITE_P(Casi, Passata, ::testing::ValuesIn(casi_passata),
                         [](const auto& info) { return std::string(info.param.caso); });

TEST(PassataSenzaCelle, DoesNothing) {
    Modello modello;
    modello.codice_errore = codice::linea_mancante;
    passa_cambi_codice(modello);
    EXPECT_TRUE(modello.celle.empty());
    EXPECT_EQ(modello.codice_errore, codice::linea_mancante);
}

TEST(PassataErrori, TheLastErrorWinsAndTheReadersCodeIsKeptWithoutOne) {
    Modello modello = test::modello_con_celle(80);
    modello.codice_errore = codice::fuori_linea;
    modello.posizione_errore = 12345;
    passa_cambi_codice(modello);
    EXPECT_EQ(modello.codice_errore, codice::fuori_linea);
    EXPECT_EQ(modello.posizione_errore, 12345);

    // Error 11 at cell 20, then error 12 at cell 60.
    for (const Oggetto& o : std::vector<Oggetto>{{30, AVVISO}, {20, SEGNALE}, {19, CARTELLO}, {18, CARTELLO},
                                                 {60, INIZIO, 110}, {62, FINE, 110},
                                                 {55, CARTELLO}, {54, CARTELLO}, {53, CARTELLO}}) {
        metti(modello.celle, o);
    }
    passa_cambi_codice(modello);
    EXPECT_EQ(modello.codice_errore, codice::finestra_senza_cambio);
    EXPECT_EQ(modello.posizione_errore, 3000);
}

TEST(Minimo, KeepsTheSmallerAndXOnATie) {
    EXPECT_EQ(minimo(int16_t{180}, int16_t{150}), 150);
    EXPECT_EQ(minimo(int16_t{180}, int16_t{200}), 180);
    EXPECT_EQ(minimo(int16_t{180}, int16_t{-5}), -5);
    EXPECT_EQ(minimo(2.5, 2.0), 2.0);
}

}  // namespace
}  // namespace scenario
