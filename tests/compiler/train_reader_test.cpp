#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "compiler/description_reader.h"
#include "description/scenario_content.h"
#include "tests/compiler/description_fixture.h"

namespace scenario {
namespace {

using test::Lettura;
using test::linea_breve;
using test::posizione_intatta;
using test::testo;
using test::treno;

// A station line: the fields not named here are 0.
std::string stazione(int32_t posizione, int tipo, int32_t lunghezza, int opzione4 = 0,
                     int opzione3 = 0, const std::string& ore = "0", const std::string& nome = "S") {
    return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " +
           std::to_string(lunghezza) + ", 0, " + std::to_string(opzione4) + ", " +
           std::to_string(opzione3) + ", 0,0,0, 0,0,0, 0, " + ore + ", 0, 0, " + nome;
}

std::string segnale(int32_t posizione) {
    return "segnale, " + std::to_string(posizione) + ", 2, 4, 0, 0, 0, 2, 2, 0, 0, 0";
}

const std::string rallentamento = "rallentamento, 2000, 60, 350, 1, 1, 60";

std::array<int, 4> dati(const Cella& c) {
    return {c.dato1, c.dato2, c.dato3, c.dato4};
}

TEST(LetturaTreno, TheScenariosTrainReadsWithoutACode) {
    Lettura l;
    dati_linea(l.cartella, l.id);
    dati_treno(l.cartella, l.id);
    l.leggi(std::nullopt, std::nullopt);
    const Modello& m = l.modello;

    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_FALSE(l.resta_linea());
    EXPECT_FALSE(l.resta_treno());
    ASSERT_EQ(m.ultima_cella(), 590);

    // The first station's stop cell and approach marks.
    EXPECT_EQ(l.cella(6).tipo, 10);
    EXPECT_EQ(l.cella(6).dato1, 1);
    for (int32_t j = 1; j <= 4; ++j) {
        EXPECT_EQ(l.cella(6 - j).preavviso, 80 + j) << "cell " << 6 - j;
    }
    struct Zona {
        int32_t inizio;
        int32_t fine;
        const char* nome;
    };
    const Zona zone[] = {
        {-350, 350, "CORVESCA"},        {1150, 1450, "VALCHIARA'"},
        {2550, 2750, "ROSSAVELLA"},     {3750, 3950, "MARCO TESSITORE"},
        {5400, 5600, "PIANO SERENO"},   {7250, 7450, "CORTE DEI MERLAI"},
        {8500, 8900, "PORTA SALICE ORTENSE"}, {10400, 10700, "ARCO DI PIETRALUNA"},
        {11900, 12500, "COLLI SERENI"}, {13750, 13950, "PIAZZA LAVINA"},
        {15450, 15750, "PONTE VALLE"},  {16700, 16900, "SAN BASILIDE"},
        {17750, 18250, "FERLANI"},      {18650, 18850, "GIARDINO DEL PERO"},
        {19200, 19700, "SORVELO"},      {20050, 20250, "CORTESELLA"},
        {20650, 20850, "MALVASINI"},    {21200, 21400, "TORNEA"},
        {21800, 22000, "VERDANIO"},     {22400, 22600, "BRENTIO"},
        {23150, 23650, "SARVEDANO"},
    };
    for (int k = 1; k <= 21; ++k) {
        const Zona& z = zone[k - 1];
        const Voce& v = l.voce(k);
        EXPECT_EQ(v.inizio, z.inizio) << "entry " << k;
        EXPECT_EQ(v.fine, z.fine) << "entry " << k;
        EXPECT_EQ(v.nome, z.nome) << "entry " << k;
        EXPECT_EQ(v.tipo, k == 1 ? 24 : 26) << "entry " << k;
    }
    EXPECT_EQ(l.voce(22), Voce{});
    const Voce& prima = l.voce(1);
    EXPECT_EQ((std::array{prima.valore3, prima.valore4, prima.valore5}),
              (std::array<int16_t, 3>{4, 1, 1}));
    EXPECT_EQ(prima.opzione2, 1);
    EXPECT_EQ(prima.orario, (17 * 60 + 10) * 60);
    EXPECT_EQ(l.voce(2).opzione2, 160);
    EXPECT_EQ(l.voce(21).orario, (17 * 60 + 45) * 60);

    for (int32_t i = 0; i <= 590; ++i) {
        const int velocita = i == 0 ? 6 : i <= 587 ? 18 : 0;
        EXPECT_EQ(l.cella(i).velocita, velocita) << "cell " << i;
        const int aderenza = i <= 39 ? 100 : i <= 59 ? 96 : i <= 587 ? 104 : 0;
        EXPECT_EQ(l.cella(i).aderenza, aderenza) << "cell " << i;
    }

    // The signal of 1850 m and its marks; the signal of 24000 m.
    EXPECT_EQ(l.cella(38).tipo, 1);
    EXPECT_EQ(dati(l.cella(38)), (std::array{42, 0, 0, 8}));
    EXPECT_EQ(l.cella(38).tempo, 0);
    for (int32_t b = 1; b <= 4; ++b) {
        EXPECT_EQ(l.cella(38 - 2 * b).preavviso, 80 + b);
    }
    EXPECT_EQ(l.cella(481).tipo, 1);
    EXPECT_EQ(l.cella(481).dato1, 55);

    // The slowdown: warning board, start, end, and the four cells before the board.
    EXPECT_EQ(l.cella(17).tipo, 4);
    EXPECT_EQ(dati(l.cella(17)), (std::array{60, 60, 0, 0}));
    EXPECT_EQ(l.cella(41).tipo, 3);
    EXPECT_EQ(dati(l.cella(41)), (std::array{60, 60, 1, 0}));
    EXPECT_EQ(l.cella(48).tipo, 2);
    EXPECT_EQ(dati(l.cella(48)), (std::array{60, 60, 1, 0}));
    for (int32_t n = 0; n < 4; ++n) {
        EXPECT_EQ(l.cella(16 - n).tipo, 5);
        EXPECT_EQ(dati(l.cella(16 - n)), (std::array{n + 1, n + 1, 0, 0}));
    }

    EXPECT_EQ(l.voce(84).inizio, 120);
    EXPECT_EQ(l.voce(84).posizione, 4);
    const Voce& impostazioni = l.voce(86);
    EXPECT_EQ((std::array{impostazioni.valore1, impostazioni.valore3, impostazioni.valore4,
                          impostazioni.valore5}),
              (std::array<int16_t, 4>{80, 17, 10, 0}));
}

TEST(LetturaTreno, EveryFailureHasItsCodePositionAndLeavesWhatWasWritten) {
    const std::vector<std::string> progressiva_30{"[generale]", "lunghezza percorso, 1000",
                                                  "progressiva chilometrica tre, 30, 0, 0", "[fine]"};
    struct Caso {
        const char* nome;
        std::vector<std::string> linea;
        std::optional<std::string> treno;
        int32_t codice;
        int32_t posizione;
        bool (*resta)(const Lettura&);  // what stays written, when it matters
    };
    const auto velocita_fino_a_n_meno_3 = [](const Lettura& l) {
        return l.cella(157).velocita == 10 && l.cella(158).velocita == 0;
    };
    const Caso casi[] = {
        {"chainage not a multiple of 50", progressiva_30, treno({"velocita, 0, 50"}), 2,
         posizione_intatta, velocita_fino_a_n_meno_3},
        {"chainage replaces a 15", progressiva_30, treno({"velocita, 0, 50", "velocita, 7901, 30"}), 2,
         7901, velocita_fino_a_n_meno_3},
        {"code cut on a code cut", linea_breve(), treno({"abbattimento, 500, 0", "abbattimento, 500, 9"}),
         7, 500, [](const Lettura& l) { return l.cella(10).tipo == 13 && l.cella(10).dato1 == 0; }},
        {"station off the 50 m grid", linea_breve(), treno({stazione(1025, 26, 100)}), 8, 1025,
         nullptr},
        {"zone off the 100 m grid", linea_breve(), treno({stazione(1000, 26, 150)}), 9, 1000, nullptr},
        {"speed out of range", linea_breve(), treno({"velocita, 0, 50", "velocita, 7901, 30"}), 15,
         7901, velocita_fino_a_n_meno_3},
        {"adhesion out of range", linea_breve(), treno({"velocita, 0, 50", "aderenza, 7901, 3"}), 15,
         7901, velocita_fino_a_n_meno_3},
        {"signal out of range", linea_breve(), treno({"velocita, 0, 50", segnale(7901)}), 15, 7901,
         velocita_fino_a_n_meno_3},
        {"signal before cell 0", linea_breve(), treno({segnale(-76)}), 15, -76, nullptr},
        {"slowdown out of range", linea_breve(), treno({"rallentamento, 7901, 60, 50, 1, 0, 0"}), 15,
         7901, nullptr},
        {"slowdown ending beyond cell N", linea_breve(),
         treno({"rallentamento, 7000, 60, 1000, 1, 0, 0"}), 15, 7000,
         [](const Lettura& l) { return l.cella(141).tipo == 0; }},
        {"slowdown starting before cell 0", linea_breve(),
         treno({"rallentamento, -100, 60, 500, 1, 0, 0"}), 15, -100,
         [](const Lettura& l) { return l.cella(9).tipo == 0; }},
        {"code change out of range", linea_breve(), treno({"abbattimento, 7901, 5"}), 15, 7901,
         nullptr},
        {"code change before cell 0", linea_breve(), treno({"abbattimento, -26, 5"}), 15, -26, nullptr},
        {"station out of range", linea_breve(), treno({stazione(7250, 26, 100)}), 15, 7250, nullptr},
        {"stop cell beyond cell N", linea_breve(), treno({stazione(7200, 7, 900)}), 15, 7200,
         [](const Lettura& l) { return l.cella(157).preavviso == 0; }},
        {"signal on a stop cell", linea_breve(), treno({stazione(1000, 1, 100), segnale(950)}), 16, 950,
         [](const Lettura& l) { return l.cella(20).tipo == 10; }},
        {"warning board taken", linea_breve(), treno({"abbattimento, 850, 5", rallentamento}), 17, 2000,
         [](const Lettura& l) { return l.cella(41).tipo == 0; }},
        {"slowdown start taken", linea_breve(), treno({"abbattimento, 2050, 5", rallentamento}), 18,
         2000, [](const Lettura& l) { return l.cella(17).tipo == 0; }},
        {"slowdown end taken", linea_breve(), treno({"abbattimento, 2400, 5", rallentamento}), 19, 2000,
         [](const Lettura& l) { return l.cella(41).tipo == 0; }},
        {"approach cell taken", linea_breve(), treno({"abbattimento, 800, 5", rallentamento}), 20, 2000,
         [](const Lettura& l) {
             return l.cella(17).tipo == 4 && l.cella(41).tipo == 3 && l.cella(48).tipo == 2 &&
                    l.cella(15).tipo == 0;
         }},
        // Zones 50 m to 350 m apart: 300 m between them.
        {"stations 300 m apart", linea_breve(), treno({stazione(0, 26, 100), stazione(400, 26, 100)}),
         22, 400, [](const Lettura& l) { return l.voce(2).inizio == 350; }},
        {"stop cell at the origin", linea_breve(), treno({stazione(0, 1, 100)}), 24, posizione_intatta,
         nullptr},
        {"no train file", linea_breve(), std::nullopt, 25, posizione_intatta, nullptr},
        {"empty train file", linea_breve(), "", 25, posizione_intatta, nullptr},
        {"number out of width", linea_breve(), treno({"sabbia, 40000"}), 25, posizione_intatta,
         nullptr},
        {"value past the end", linea_breve(), testo({"[generale]", "velocita, 100"}), 25,
         posizione_intatta, nullptr},
        {"speed whose fifth is above 255", linea_breve(),
         treno({"velocita, 0, 1278", "velocita, 100, 30"}), 25, posizione_intatta, nullptr},
        {"time past 32 bits", linea_breve(), treno({stazione(1000, 26, 100, 0, 0, "2147483647")}), 25,
         posizione_intatta, nullptr},
        {"zone past 32 bits", linea_breve(), treno({stazione(1000, 7, 2147483600)}), 25,
         posizione_intatta, nullptr},
        // At their limits these are accepted.
        {"signal at -75 m", linea_breve(), treno({segnale(-75)}), 0, posizione_intatta,
         [](const Lettura& l) { return l.cella(0).tipo == 1; }},
        {"code cut on a stretch marker", linea_breve({"montagna, 0, 1000, 12"}),
         treno({"abbattimento, 150, 0"}), 0, posizione_intatta,
         [](const Lettura& l) { return l.cella(3).tipo == 13 && l.cella(7).tipo == 11; }},
        {"code change at -25 m", linea_breve(), treno({"abbattimento, -25, 5"}), 0, posizione_intatta,
         [](const Lettura& l) { return l.cella(0).tipo == 12 && l.cella(0).dato1 == 5; }},
        {"speed of 1277", linea_breve(), treno({"velocita, 0, 1277", "velocita, 100, 30"}), 0,
         posizione_intatta, [](const Lettura& l) { return l.cella(1).velocita == 255; }},
        {"stations 350 m apart", linea_breve(), treno({stazione(0, 26, 100), stazione(450, 26, 100)}), 0,
         posizione_intatta, [](const Lettura& l) { return l.voce(2).inizio == 400; }},
        {"stop cell on cell N", linea_breve(), treno({stazione(7150, 7, 900)}), 0, posizione_intatta,
         [](const Lettura& l) { return l.cella(160).tipo == 10 && l.cella(156).preavviso == 84; }},
    };
    for (const auto& caso : casi) {
        Lettura l;
        l.leggi(testo(caso.linea), caso.treno);
        EXPECT_EQ(l.modello.codice_errore, caso.codice) << caso.nome;
        EXPECT_EQ(l.modello.posizione_errore, caso.posizione) << caso.nome;
        EXPECT_FALSE(l.resta_linea()) << caso.nome;
        EXPECT_FALSE(l.resta_treno()) << caso.nome;
        if (caso.resta != nullptr) {
            EXPECT_TRUE(caso.resta(l)) << caso.nome;
        }
    }
}

TEST(LetturaTreno, AfterALineCode15TheFirstSignalEndsTheReading) {
    Lettura l;
    l.leggi(testo(linea_breve({"pendenza, 7901, 3"})),
            treno({"velocita, 0, 50", "sabbia, 70", segnale(1000), "sabbia, 90"}));
    EXPECT_EQ(l.modello.codice_errore, 15);
    EXPECT_EQ(l.modello.posizione_errore, 1000);
    EXPECT_FALSE(l.resta_treno());
    EXPECT_EQ(l.voce(86).valore1, 70);
    // The reading ended there: no fill at the end.
    EXPECT_EQ(l.cella(100).velocita, 0);
}

TEST(LetturaTreno, AStationsStopCellOverwritesAnEarlierSignal) {
    Lettura l;
    l.leggi(testo(linea_breve()), treno({segnale(950), stazione(1000, 1, 100)}));
    EXPECT_EQ(l.modello.codice_errore, 0);
    EXPECT_EQ(l.cella(20).tipo, 10);
    EXPECT_EQ(l.cella(20).dato1, 1);
}

TEST(LetturaTreno, StationZonesByType) {
    struct Caso {
        const char* nome;
        std::string riga;  // read as the second station, unless `prima`
        bool prima;
        int32_t inizio, fine;
        int opzione3, opzione4;
        int32_t fermata;  // stop cell, or -1 for none
        bool preavvisi;
    };
    const Caso casi[] = {
        {"type 5", stazione(2000, 5, 200, 1, 1), false, 1800, 2150, 0, 0, 42, false},
        {"type 7", stazione(2000, 7, 600, 3, 1), false, 1400, 2600, 0, 3, 51, true},
        {"other types", stazione(2000, 1, 200), false, 1900, 2100, 0, 0, 41, true},
        {"table only, end moved", stazione(2000, 26, 300, 0, 1), false, 1850, 2200, 1, 0, -1, false},
        {"first station", stazione(2000, 26, 600, 1, 1), true, 1700, 2350, 0, 0, -1, false},
    };
    for (const auto& caso : casi) {
        std::vector<std::string> righe;
        if (!caso.prima) {
            righe.push_back(stazione(0, 26, 0));
        }
        righe.push_back(caso.riga);
        Lettura l;
        l.leggi(testo(linea_breve()), treno(righe));
        const Voce& v = l.voce(caso.prima ? 1 : 2);
        EXPECT_EQ(l.modello.codice_errore, 0) << caso.nome;
        EXPECT_EQ(v.inizio, caso.inizio) << caso.nome;
        EXPECT_EQ(v.fine, caso.fine) << caso.nome;
        EXPECT_EQ(v.opzione3, caso.opzione3) << caso.nome;
        EXPECT_EQ(v.opzione4, caso.opzione4) << caso.nome;
        for (int32_t i = 0; i <= 160; ++i) {
            const bool fermata = i == caso.fermata;
            EXPECT_EQ(l.cella(i).tipo, fermata ? 10 : 0) << caso.nome << ", cell " << i;
            const int32_t prima_di = caso.fermata - i;
            const int preavviso = caso.preavvisi && prima_di >= 1 && prima_di <= 4 ? 80 + prima_di : 0;
            EXPECT_EQ(l.cella(i).preavviso, preavviso) << caso.nome << ", cell " << i;
        }
    }
}

// Stations every 350 m, all in the table only, on the scenario's line with
// its one signboard.
std::vector<std::string> stazioni(int quante) {
    std::vector<std::string> righe;
    for (int i = 0; i < quante; ++i) {
        righe.push_back(stazione(i * 350, 26, 0));
    }
    return righe;
}

TEST(LetturaTreno, TheStationsStayBelowTheSignboards) {
    for (const int quante : {77, 78}) {
        Lettura l;
        dati_linea(l.cartella, l.id);
        l.leggi(std::nullopt, treno(stazioni(quante)));
        EXPECT_EQ(l.modello.codice_errore, quante == 77 ? 0 : 10) << quante;
        EXPECT_EQ(l.modello.posizione_errore, posizione_intatta) << quante;
        EXPECT_EQ(l.voce(quante).posizione, (quante - 1) * 350) << quante;
        EXPECT_EQ(l.voce(80).nome, "(PONTE SUL TORBIO)");
    }

    // With 80 signboards no station fits; the last signboard's text stays.
    std::vector<std::string> cartelli;
    for (int i = 0; i < 80; ++i) {
        cartelli.push_back("cartello_indicatore, " + std::to_string(i * 50) + ", CARTELLO");
    }
    Lettura l;
    l.leggi(testo(linea_breve(cartelli)), treno({stazione(5000, 26, 100)}));
    EXPECT_EQ(l.modello.codice_errore, 10);
    EXPECT_EQ(l.voce(1).nome, "CARTELLO");
    EXPECT_EQ(l.voce(1).posizione, 0);
}

TEST(LetturaTreno, KeywordsCommentsAndTextsAsTheGrammarSays) {
    Lettura l;
    l.leggi(testo(linea_breve()),
            treno({"NUMERO VETTURE, 6", "- uno", "- due", "sabbia, 70",
                   // A third comment line in a row is read as a keyword field.
                   "- a", "- b", "- segnale, 500, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0",
                   "orologio, 8, 30, 15", stazione(1000, 26, 100, 0, 0, "0", "MARCO TESSITORE"),
                   stazione(1500, 26, 100, 0, 0, "0", "VALCHIARA'"), "Abbattimento, 3000, 0"}));
    const Modello& m = l.modello;
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(l.voce(84).posizione, 6);
    EXPECT_EQ(l.voce(86).valore1, 70);
    EXPECT_EQ(l.cella(11).tipo, 1);
    EXPECT_EQ((std::array{l.voce(86).valore3, l.voce(86).valore4, l.voce(86).valore5}),
              (std::array<int16_t, 3>{8, 30, 15}));
    EXPECT_EQ(l.voce(1).nome, "MARCO TESSITORE");
    EXPECT_EQ(l.voce(2).nome, "VALCHIARA'");
    EXPECT_EQ(l.cella(60).tipo, 13);
}

TEST(LetturaTreno, KeywordLinesBeforeGeneraleAreNotRead) {
    Lettura l;
    l.leggi(testo(linea_breve()),
            testo({stazione(0, 24, 700), "sabbia, 70", "velocita, 0, 50", "[fine]"}));
    EXPECT_EQ(l.modello.codice_errore, 0);
    EXPECT_EQ(l.voce(1), Voce{});
    EXPECT_EQ(l.voce(86).valore1, 0);
    EXPECT_EQ(l.cella(6).tipo, 0);
    EXPECT_FALSE(l.resta_treno());
}

}  // namespace
}  // namespace scenario
