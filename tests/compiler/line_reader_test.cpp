#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <variant>
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

// Reads the given line description (none: no file) beside an empty train
// description.
void leggi(Lettura& l, const std::optional<std::string>& linea, int32_t con_tracciato = 1) {
    l.leggi(linea, test::treno(), con_tracciato);
}

// The scenario's own line, as its writer writes it.
void leggi_scenario(Lettura& l) {
    dati_linea(l.cartella, l.id);
    l.leggi(std::nullopt, test::treno());
}

// Reads a line description made of these general-section lines and no feature.
void leggi_generale(Lettura& l, const std::vector<std::string>& generale) {
    std::vector<std::string> righe{"[generale]"};
    righe.insert(righe.end(), generale.begin(), generale.end());
    righe.insert(righe.end(), {"[curve]", "[fine]"});
    leggi(l, testo(righe));
}

double coordinata(const Modello& m, int32_t metro, int asse) {
    return std::get<double>(
        m.tracciato.valore(static_cast<std::size_t>(metro), static_cast<std::size_t>(asse)));
}

TEST(LetturaLinea, TheScenariosLineFillsTheSettingsAndTheCells) {
    Lettura l;
    leggi_scenario(l);
    const Modello& m = l.modello;

    EXPECT_FALSE(l.resta_linea());
    ASSERT_EQ(m.ultima_cella(), 590);
    const auto& t = m.tabella;
    EXPECT_EQ(t[84].fine, 22500);
    EXPECT_EQ((std::array{t[85].inizio, t[85].fine, t[85].posizione}), (std::array{1, 0, 0}));
    EXPECT_EQ(t[85].nome, l.id.linea);
    // The "4" is recorded and then cleared, the second distance being 0.
    EXPECT_EQ((std::array{t[86].inizio, t[86].fine, t[86].posizione}), (std::array{0, 0, 0}));
    EXPECT_EQ(t[86].nome, l.id.treno);
    for (int voce = 81; voce <= 83; ++voce) {
        EXPECT_EQ(t[static_cast<std::size_t>(voce)], Voce{}) << voce;
    }

    for (int32_t i = 0; i <= 590; ++i) {
        const int pendenza = i <= 59 ? 105 : i <= 139 ? 103 : i <= 587 ? 96 : 0;
        EXPECT_EQ(l.cella(i).pendenza, pendenza) << "cell " << i;
        const bool in_montagna_3 =
            (i >= 20 && i <= 368) || (i >= 370 && i <= 389) || (i >= 391 && i <= 488);
        const int montagna = i >= 7 && i <= 16 ? 2 : in_montagna_3 ? 3 : 0;
        EXPECT_EQ(l.cella(i).montagna, montagna) << "cell " << i;
        const bool marca = i == 373 || i == 377 || i == 381 || i == 385 || i == 389;
        const int tipo = marca ? 11 : i == 11 ? 6 : i == 19 ? 14 : 0;
        EXPECT_EQ(l.cella(i).tipo, tipo) << "cell " << i;
    }
    const Cella& indicatori = l.cella(11);
    EXPECT_EQ((std::array{indicatori.dato1, indicatori.dato2, indicatori.dato3, indicatori.dato4}),
              (std::array<int16_t, 4>{1818, 1818, 1818, 0}));
    EXPECT_EQ(l.cella(19).dato1, 80);
    EXPECT_EQ(t[80].nome, "(PONTE SUL TORBIO)");
}

TEST(LetturaLinea, TheScenariosPlanIsLaidMetreByMetre) {
    Lettura l;
    leggi_scenario(l);
    const Modello& m = l.modello;

    ASSERT_EQ(m.tracciato.size(), 29501u);
    EXPECT_EQ(m.tracciato[0], (MetroPiano{int16_t{0}, int16_t{0}}));
    EXPECT_EQ(m.tracciato[1], (MetroPiano{int16_t{0}, int16_t{1}}));
    EXPECT_EQ(m.tracciato[2000], (MetroPiano{0.0, 2000.0}));
    struct Punto {
        int32_t metro;
        double x;
        double y;
        double tolleranza;
    };
    const Punto punti[] = {
        {2001, 0.0001, 2001.0, 1e-12},
        {2002, 0.0003, 2001.99999999, 1e-9},
        {5000, 446.79, 4955.20, 0.005},
        {9550, 1151.06, 9385.92, 0.005},
        {22500, -1802.12, 21881.23, 0.005},
        {29498, 680.46, 26413.36, 0.005},
    };
    for (const auto& p : punti) {
        EXPECT_NEAR(coordinata(m, p.metro, 0), p.x, p.tolleranza) << "metre " << p.metro;
        EXPECT_NEAR(coordinata(m, p.metro, 1), p.y, p.tolleranza) << "metre " << p.metro;
    }
    // The turned step is not brought back to unit length.
    const double dx = coordinata(m, 5000, 0) - coordinata(m, 4999, 0);
    const double dy = coordinata(m, 5000, 1) - coordinata(m, 4999, 1);
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 1.000015, 1e-6);
    const MetroPiano vuoto{};
    EXPECT_EQ(m.tracciato[29499], vuoto);
    EXPECT_EQ(m.tracciato[29500], vuoto);
}

TEST(ProgressiveOrdina, PutsTheChainageReferencesInOrder) {
    using Terna = std::array<int32_t, 3>;
    struct Caso {
        Terna tre, due, uno;
        Terna voce81, voce82, voce83;
    };
    const Caso casi[] = {
        // Decreasing first values; a third value of 1 adds 100 to the second.
        {{5000, 300, 0}, {10000, 0, 1}, {0, 0, 0}, {10000, 100, 1}, {5000, 300, 0}, {0, 0, 0}},
        // A shared largest first value clears all three.
        {{5000, 0, 0}, {5000, 50, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        // No first value: the reference with a positive second value leads.
        {{0, 0, 0}, {0, 0, 0}, {0, 400, 0}, {0, 400, 0}, {0, 0, 0}, {0, 0, 0}},
    };
    for (const auto& caso : casi) {
        Modello m;
        const auto metti = [&m](int voce, const Terna& v) {
            auto& e = m.tabella[static_cast<std::size_t>(voce)];
            e.inizio = v[0];
            e.fine = v[1];
            e.posizione = v[2];
        };
        metti(81, caso.tre);
        metti(82, caso.due);
        metti(83, caso.uno);
        progressive_ordina(m);
        const auto terna = [&m](int voce) {
            const auto& e = m.tabella[static_cast<std::size_t>(voce)];
            return Terna{e.inizio, e.fine, e.posizione};
        };
        EXPECT_EQ(terna(81), caso.voce81);
        EXPECT_EQ(terna(82), caso.voce82);
        EXPECT_EQ(terna(83), caso.voce83);
    }
}

std::vector<std::string> ripetute(const std::string& riga, int volte) {
    return std::vector<std::string>(static_cast<std::size_t>(volte), riga);
}

std::vector<std::string> stretti(int quanti) {
    std::vector<std::string> righe;
    for (int i = 0; i < quanti; ++i) {
        righe.push_back("montagna, " + std::to_string(i * 50) + ", " + std::to_string(i * 50 + 50) +
                        ", 2");
    }
    return righe;
}

std::vector<std::string> cartelli(int quanti) {
    std::vector<std::string> righe;
    for (int i = 0; i < quanti; ++i) {
        righe.push_back("cartello_indicatore, " + std::to_string(i * 50) + ", CARTELLO");
    }
    return righe;
}

// What becomes of the train description after the line: left in place, read
// by the train half (which records its sand), or deleted by the failure handler.
enum class Treno { resta, letto, cancellato };

TEST(LetturaLinea, EveryFailureHasItsCodePositionAndFiles) {
    const std::string indicatori = "indicatori_vmax,  500,  90,  90,  90,  0,  90,  90,  90,  0";
    struct Caso {
        const char* nome;
        std::optional<std::vector<std::string>> linea;
        int32_t codice;
        int32_t posizione;
        Treno treno;
    };
    const Caso casi[] = {
        {"no file", std::nullopt, 101, posizione_intatta, Treno::resta},
        {"no [generale]", std::vector<std::string>{"[curve]", "pendenza, 0, 5", "[fine]"}, 102,
         posizione_intatta, Treno::resta},
        {"only [generale]", std::vector<std::string>{"[generale]"}, 102, posizione_intatta, Treno::resta},
        {"empty file", std::vector<std::string>{}, 25, posizione_intatta, Treno::cancellato},
        {"length above 1000000",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 1000001", "[fine]"}, 1,
         posizione_intatta, Treno::resta},
        {"negative length", std::vector<std::string>{"[generale]", "lunghezza percorso, -1", "[fine]"},
         1, posizione_intatta, Treno::resta},
        {"first repetition distance",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 1000",
                                  "ripetizione segnali 4 codici, 30, 0", "[fine]"},
         3, posizione_intatta, Treno::resta},
        {"second repetition distance",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 1000",
                                  "ripetizione segnali 4 codici, 0, 30", "[fine]"},
         4, posizione_intatta, Treno::resta},
        {"repetition without 4 or 9",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 1000",
                                  "ripetizione segnali codici, 50, 100", "[fine]"},
         5, posizione_intatta, Treno::resta},
        {"gradient out of range", linea_breve({"pendenza, 7901, 3"}), 15, 7901, Treno::letto},
        {"stretch before cell 0", linea_breve({"montagna, -50, 100, 2"}), 15, -50, Treno::letto},
        {"stretch beyond cell N", linea_breve({"montagna, 7000, 8500, 2"}), 15, 7000, Treno::letto},
        {"boards before cell 0",
         linea_breve({"indicatori_vmax, -100, 90, 90, 90, 0, 90, 90, 90, 0"}), 15, -100, Treno::letto},
        {"signboard before cell 0", linea_breve({"cartello_indicatore, -100, X"}), 15, -100, Treno::letto},
        {"curve without class", linea_breve({"curva, 100, 50"}), 103, posizione_intatta, Treno::resta},
        {"curve past the plan", linea_breve({"curvad1, 7900, 99"}), 103, 7900, Treno::resta},
        {"boards on boards", linea_breve({indicatori, indicatori}), 21, 500, Treno::resta},
        {"signboard on boards", linea_breve({indicatori, "cartello_indicatore, 500, X"}), 6, 500,
         Treno::resta},
        {"number out of width",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 99999999999", "[fine]"}, 25,
         posizione_intatta, Treno::cancellato},
        {"value past the end", std::vector<std::string>{"[generale]", "lunghezza percorso, 1000",
                                                         "[curve]", "pendenza, 100"},
         25, posizione_intatta, Treno::cancellato},
        {"ten dash reads past the end", std::vector<std::string>{"[generale]", "-", "-"}, 25,
         posizione_intatta, Treno::cancellato},
        {"no length line",
         std::vector<std::string>{"[generale]", "sfondo uno, 1", "[curve]", "pendenza, 0, 5", "[fine]"},
         25, posizione_intatta, Treno::cancellato},
        {"81 stretches", linea_breve(stretti(81)), 25, posizione_intatta, Treno::cancellato},
        {"81 signboards", linea_breve(cartelli(81)), 25, posizione_intatta, Treno::cancellato},
        {"chainage past 32 bits",
         std::vector<std::string>{"[generale]", "lunghezza percorso, 1000",
                                  "progressiva chilometrica tre, 100, 2147483600, 1", "[fine]"},
         25, posizione_intatta, Treno::cancellato},
        {"board value past 16 bits",
         linea_breve({"indicatori_vmax, 500, 2000, 90, 90, 0, 90, 90, 90, 0"}), 25,
         posizione_intatta, Treno::cancellato},
        // At their limits these are accepted.
        {"80 stretches", linea_breve(stretti(80)), 0, posizione_intatta, Treno::letto},
        {"80 signboards", linea_breve(cartelli(80)), 0, posizione_intatta, Treno::letto},
        {"curve to the last metre laid", linea_breve({"curvad1, 7900, 98"}), 0, posizione_intatta,
         Treno::letto},
        {"stretch to cell N", linea_breve({"montagna, 7000, 8050, 2"}), 0, posizione_intatta, Treno::letto},
    };
    for (const auto& caso : casi) {
        Lettura l;
        l.leggi(caso.linea ? std::optional(testo(*caso.linea)) : std::nullopt,
                test::treno({"sabbia, 70"}));
        EXPECT_EQ(l.modello.codice_errore, caso.codice) << caso.nome;
        EXPECT_EQ(l.modello.posizione_errore, caso.posizione) << caso.nome;
        EXPECT_FALSE(l.resta_linea()) << caso.nome;
        EXPECT_EQ(l.resta_treno(), caso.treno == Treno::resta) << caso.nome;
        EXPECT_EQ(l.voce(86).valore1, caso.treno == Treno::letto ? 70 : 0) << caso.nome;
    }
}

TEST(LetturaLinea, APositionOutOfRangeEndsTheLinePartAsTheEndOfTheFileWould) {
    Lettura l;
    leggi(l, testo(linea_breve({"pendenza, 100, 5", "curvad1, 200, 10", "pendenza, 7901, 3",
                                "cartello_indicatore, 900, MAI LETTO"})));
    const Modello& m = l.modello;
    EXPECT_EQ(m.codice_errore, 15);
    // The gradient in force before the refused line goes on to cell N - 3...
    EXPECT_EQ(l.cella(0).pendenza, 100);
    EXPECT_EQ(l.cella(2).pendenza, 105);
    EXPECT_EQ(l.cella(157).pendenza, 105);
    EXPECT_EQ(l.cella(158).pendenza, 0);
    // ...the plan straight on to its last two metres...
    EXPECT_TRUE(std::holds_alternative<double>(m.tracciato[7998][1]));
    EXPECT_EQ(m.tracciato[7999], MetroPiano{});
    // ...and nothing after the refused line is read.
    EXPECT_EQ(l.cella(19).tipo, 0);
}

// A curve refused half-way through the line ends the reading there: the plan
// keeps its full size, every metre after the last one laid empty.
TEST(LetturaLinea, AReadingEndedMidPlanLeavesTheRestOfThePlanEmpty) {
    Lettura l;
    leggi(l, testo(linea_breve({"curvad1, 200, 10", "curvad1, 500, 9000"})));
    const Modello& m = l.modello;
    EXPECT_EQ(m.codice_errore, codice::curva_non_valida);
    ASSERT_EQ(m.tracciato.size(), 8001u);
    EXPECT_TRUE(std::holds_alternative<double>(m.tracciato[210][1]));
    EXPECT_EQ(m.tracciato[211], MetroPiano{});
    EXPECT_EQ(m.tracciato[8000], MetroPiano{});
}

TEST(LetturaLinea, TheGeneralSectionsKeywordsAtTheirEdges) {
    struct Caso {
        const char* nome;
        std::vector<std::string> generale;
        int32_t ultima_cella;
        std::array<int32_t, 3> voce81;
        std::array<int32_t, 3> voce85;
        std::array<int32_t, 3> voce86;
    };
    const Caso casi[] = {
        {"length in capitals", {"Lunghezza Percorso, 1000"}, 160, {}, {}, {}},
        {"second length line", {"lunghezza percorso, 1000", "lunghezza percorso, 2000"}, 180, {}, {}, {}},
        {"chainage, exact case",
         {"lunghezza percorso, 1000", "progressiva chilometrica tre, 5000, 300, 0"}, 160,
         {5000, 300, 0}, {}, {}},
        // With a capital the keyword is not recognised: its values are read as
        // further fields that match nothing.
        {"chainage with a capital",
         {"lunghezza percorso, 1000", "Progressiva chilometrica tre, 5000, 300, 0"}, 160, {}, {}, {}},
        {"backgrounds in their entries",
         {"lunghezza percorso, 1000", "sfondo uno, 1", "sfondo due, 2", "sfondo tre, 3"}, 160, {},
         {1, 3, 2}, {}},
        {"9 codes", {"lunghezza percorso, 1000", "ripetizione segnali 9 codici, 50, 100"}, 160, {}, {},
         {50, 100, 9}},
        {"4 before 9", {"lunghezza percorso, 1000", "ripetizione 9 segnali 4, 50, 100"}, 160, {}, {},
         {50, 100, 4}},
        {"no codes when the second is 0",
         {"lunghezza percorso, 1000", "ripetizione segnali 9 codici, 50, 0"}, 160, {}, {}, {50, 0, 0}},
        // Ten comment fields in a row are skipped; an eleventh is a keyword field.
        {"ten dashes", [] {
             auto righe = ripetute("- commento", 9);
             righe.insert(righe.begin(), "lunghezza percorso, 1000");
             righe.insert(righe.end(), {"- sfondo uno", "7"});
             return righe;
         }(),
         160, {}, {}, {}},
        {"eleven dashes", [] {
             auto righe = ripetute("- commento", 10);
             righe.insert(righe.begin(), "lunghezza percorso, 1000");
             righe.insert(righe.end(), {"- sfondo uno", "7"});
             return righe;
         }(),
         160, {}, {7, 0, 0}, {}},
    };
    for (const auto& caso : casi) {
        Lettura l;
        leggi_generale(l, caso.generale);
        const Modello& m = l.modello;
        EXPECT_EQ(m.codice_errore, 0) << caso.nome;
        EXPECT_EQ(m.ultima_cella(), caso.ultima_cella) << caso.nome;
        const auto terna = [&m](int voce) {
            const auto& e = m.tabella[static_cast<std::size_t>(voce)];
            return std::array{e.inizio, e.fine, e.posizione};
        };
        EXPECT_EQ(terna(81), caso.voce81) << caso.nome;
        EXPECT_EQ(terna(85), caso.voce85) << caso.nome;
        EXPECT_EQ(terna(86), caso.voce86) << caso.nome;
    }
}

// The gradient of cells 0, 2 and 157 (N - 3) after reading the feature lines.
TEST(LetturaLinea, TheFeaturePartsFieldsAtTheirEdges) {
    struct Caso {
        const char* nome;
        std::vector<std::string> righe;
        bool con_fine;  // the file closes with "[fine]"
        int32_t codice;
        std::array<int, 3> pendenze;
    };
    const Caso casi[] = {
        {"a last keyword line is read whole", {"pendenza, 100, 7"}, false, 0, {100, 107, 107}},
        {"a lone last field is not read", {"pendenza, 100, 7", "pendenza"}, false, 0, {100, 107, 107}},
        // A header with "curva" in it takes the next two fields as a curve's.
        {"header with curva", {"[curva]", "pendenza, 100, 7"}, true, 103, {0, 0, 0}},
        {"two dashes skipped", {"-", "- pendenza", "100", "7"}, true, 0, {100, 100, 100}},
        {"the third dash field is a keyword", {"-", "-", "- pendenza", "100", "7"}, true, 0,
         {100, 107, 107}},
        {"gradient lines out of order", {"pendenza, 500, 3", "pendenza, 100, 7"}, true, 0,
         {100, 100, 107}},
    };
    for (const auto& caso : casi) {
        std::vector<std::string> righe{"[generale]", "lunghezza percorso,  1000", "[curve]"};
        righe.insert(righe.end(), caso.righe.begin(), caso.righe.end());
        if (caso.con_fine) {
            righe.push_back("[fine]");
        }
        Lettura l;
        leggi(l, testo(righe));
        EXPECT_EQ(l.modello.codice_errore, caso.codice) << caso.nome;
        const std::array pendenze{int{l.cella(0).pendenza}, int{l.cella(2).pendenza},
                                  int{l.cella(157).pendenza}};
        EXPECT_EQ(pendenze, caso.pendenze) << caso.nome;
    }
}

TEST(LetturaLinea, TheGradientFillNeverPassesTheLastCell) {
    // Every line writes one cell even when its own cell is behind the fill.
    std::vector<std::string> righe = ripetute("pendenza, 100, 1", 200);
    righe.push_back("pendenza, 100, 9");
    Lettura l;
    leggi(l, testo(linea_breve(righe)));
    EXPECT_EQ(l.modello.codice_errore, 0);
    EXPECT_EQ(l.cella(0).pendenza, 100);
    EXPECT_EQ(l.cella(159).pendenza, 101);
    // The tail then writes its one cell, the last.
    EXPECT_EQ(l.cella(160).pendenza, 109);
}

TEST(LetturaLinea, WithoutThePlanCurvesAreNotInterpreted) {
    Lettura l;
    leggi(l, testo(linea_breve({"curva, 100, 50", "pendenza, 500, 3"})), 0);
    EXPECT_EQ(l.modello.codice_errore, 0);
    EXPECT_TRUE(l.modello.tracciato.empty());
    EXPECT_EQ(l.cella(10).pendenza, 103);
}

TEST(LetturaLinea, AnSInTheCurveKeywordTurnsLeftInEitherCase) {
    for (const char* curva : {"curvad1", "curvas1", "CURVAS1"}) {
        Lettura l;
        leggi(l, testo(linea_breve({std::string(curva) + ", 100, 10"})));
        EXPECT_EQ(l.modello.codice_errore, 0);
        const double x = coordinata(l.modello, 110, 0);
        EXPECT_EQ(x > 0, std::string(curva) == "curvad1") << curva << ": " << x;
    }
}

}  // namespace
}  // namespace scenario

namespace scenario {
namespace {

// The cells and the plan are made for the last accepted length however the
// general section ends: a refused length after it, or a reading failure.
TEST(LetturaLinea, TheLastAcceptedLengthSizesCellsAndPlanWhateverEndsTheSection) {
    struct Caso {
        const char* nome;
        std::vector<std::string> generale;
        int32_t codice;
    };
    const Caso casi[] = {
        {"refused length", {"lunghezza percorso, 2000", "lunghezza percorso, 1000001"}, 1},
        {"repetition not a multiple of 50",
         {"lunghezza percorso, 1000", "lunghezza percorso, 2000", "ripetizione segnali 4, 10, 0"}, 3},
        {"number too wide", {"lunghezza percorso, 2000", "sfondo uno, 99999999999"}, 25},
    };
    for (const auto& caso : casi) {
        Lettura l;
        leggi_generale(l, caso.generale);
        EXPECT_EQ(l.modello.codice_errore, caso.codice) << caso.nome;
        EXPECT_EQ(l.modello.ultima_cella(), 180) << caso.nome;
        EXPECT_EQ(l.modello.tracciato.size(), 9001u) << caso.nome;
    }
}

}  // namespace
}  // namespace scenario

namespace scenario {
namespace {

// A name is written in the compiled table after its 16-bit length: a longer
// signboard or station name is a reading failure, found before anything is
// written, and one of the greatest length is kept whole.
TEST(LetturaNomi, ANameLongerThanItsSixteenBitLengthIsAReadingFailure) {
    for (const std::size_t lunghezza : {std::size_t{65535}, std::size_t{65536}}) {
        const std::string nome(lunghezza, 'N');
        const bool accettato = lunghezza <= 65535;
        Lettura cartello;
        cartello.leggi(testo(linea_breve({"cartello_indicatore, 700, " + nome})), test::treno());
        EXPECT_EQ(cartello.modello.codice_errore, accettato ? 0 : 25) << lunghezza;
        EXPECT_EQ(cartello.voce(80).nome.size(), accettato ? lunghezza : 0) << lunghezza;

        Lettura stazione;
        stazione.leggi(testo(linea_breve()),
                       test::treno({"stazione, 0, 24, 700, 0, 0, 0, 0,0,0, 4,1,1, 1, 17,10, 0, " +
                                    nome}));
        EXPECT_EQ(stazione.modello.codice_errore, accettato ? 0 : 25) << lunghezza;
        EXPECT_EQ(stazione.voce(1).nome.size(), accettato ? lunghezza : 0) << lunghezza;
    }
}

}  // namespace
}  // namespace scenario
