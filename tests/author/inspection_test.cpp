// Looking inside this scenario's compiled files with the author's tool:
// dump, profile and plot, and what they say of files that are cut short or
// do not follow their layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>

#include "author/plot.h"
#include "author/tool.h"
#include "description/file_names.h"
#include "tests/author/author_fixture.h"
#include "tests/support/test_support.h"

namespace scenario::autore {
namespace {

namespace fs = std::filesystem;

using test::Esito;
using test::strumento;

std::vector<std::string> righe(const std::string& testo) {
    std::vector<std::string> divise;
    std::istringstream flusso(testo);
    for (std::string riga; std::getline(flusso, riga);) {
        divise.push_back(riga);
    }
    return divise;
}

// The lines a command writes, after checking that it succeeded.
std::vector<std::string> righe_di(const std::vector<std::string>& comando) {
    const Esito esito = strumento(comando);
    EXPECT_EQ(esito.stato, stato::pulito) << esito.errori;
    return righe(esito.uscita);
}

// The scenario compiled by the tool into a folder of its own.
class Compilato : public ::testing::Test {
protected:
    Compilato() {
        const test::Descrizioni scenario = test::descrizioni_scenario();
        test::scrivi(sorgenti / "linea.txt", scenario.linea);
        test::scrivi(sorgenti / "treno.txt", scenario.treno);
        const Esito esito = strumento({"compile", (sorgenti / "linea.txt").string(),
                                       (sorgenti / "treno.txt").string(), "-o",
                                       cartella.percorso().string()});
        EXPECT_EQ(esito.stato, stato::pulito) << esito.errori;
    }

    std::string celle() const { return (cartella / nome_celle_compilate(id)).string(); }
    std::string tabella() const { return (cartella / nome_tabella_compilata(id)).string(); }
    std::string piano() const { return (cartella / nome_piano_compilato(id)).string(); }

    const Identita id = identita_scenario();
    test::CartellaTemporanea sorgenti;
    test::CartellaTemporanea cartella;
};

// A record per line with every field named; the plan shows each value's kind.
TEST_F(Compilato, DumpNamesEveryFieldOfEachFile) {
    const auto linee_celle = righe_di({"dump", celle()});
    ASSERT_EQ(linee_celle.size(), 1u + 591u);
    // Cell 38, 15 bytes a cell: the signal at 1850 m on a cell with gradient
    // 5, speed 90 km/h, adhesion 100, stretch type 3.
    EXPECT_EQ(linee_celle[1 + 38],
              "cella=38 byte=570 tipo=1 dato1=42 dato2=0 dato3=0 dato4=8 tempo=0 preavviso=0 "
              "montagna=3 velocita=18 pendenza=105 aderenza=100");

    const auto linee_tabella = righe_di({"dump", tabella()});
    ASSERT_EQ(linee_tabella.size(), 1u + 87u);
    // Entry 2 follows entry 0 (34 bytes) and entry 1 (34 + 8 for "CORVESCA").
    EXPECT_EQ(linee_tabella[1 + 2],
              "voce=2 byte=76 tipo=26 inizio=1150 fine=1450 posizione=1300 attributo=0 "
              "nome=\"VALCHIARA'\" valore1=0 valore2=0 valore3=0 valore4=0 valore5=0 opzione1=0 "
              "opzione2=160 opzione3=0 opzione4=0 orario=0");

    const auto linee_piano = righe_di({"dump", piano()});
    ASSERT_EQ(linee_piano.size(), 1u + 29501u);
    EXPECT_EQ(linee_piano[1 + 1], "metro=1 x=0 y=1");
    EXPECT_EQ(linee_piano[1 + 2000], "metro=2000 x=0.0 y=2000.0");
    EXPECT_EQ(linee_piano[1 + 29500], "metro=29500 x=vuoto y=vuoto");

    const Esito json = strumento({"dump", tabella(), "--json"});
    ASSERT_EQ(json.stato, stato::pulito) << json.errori;
    EXPECT_EQ(json.uscita.rfind("{\"file\": \"tabella\", \"voci\": [\n{\"voce\": 0, ", 0), 0u);
    EXPECT_NE(json.uscita.find("\"nome\": \"VALCHIARA'\""), std::string::npos);
}

// Each kind of file cut short or made inconsistent: one line naming the file
// and the byte, status 2, nothing on standard output.
TEST_F(Compilato, AFileThatDoesNotFollowItsLayoutIsNamedWithItsByte) {
    const std::string byte_celle = test::leggi(celle());
    const std::string byte_tabella = test::leggi(tabella());
    const std::string byte_piano = test::leggi(piano());
    struct Caso {
        std::string file;
        std::string contenuto;
        std::vector<std::string> comando;
        std::string messaggio;
    };
    std::string etichetta_3 = byte_piano;
    etichetta_3[0] = 3;
    const std::vector<Caso> casi{
        // 8865 bytes less 8: the last cell, 590, starts at 590 x 15.
        {celle(), byte_celle.substr(0, 8857), {"dump", celle()},
         celle() + ": byte 8850: la cella 590 e' incompleta: il file ha 8857 byte"},
        {celle(), byte_celle.substr(0, 8857), {"profile", celle()},
         celle() + ": byte 8850: la cella 590 e' incompleta"},
        // Entry 0 takes 34 bytes; in entry 1, `fine` starts at 34 + 5.
        {tabella(), byte_tabella.substr(0, 40), {"dump", tabella()},
         tabella() + ": byte 39: il file finisce dentro il campo fine della voce 1, ma la tabella "
                     "ha 87 voci (il file ha 40 byte)"},
        {tabella(), byte_tabella + "x", {"dump", tabella()},
         tabella() + ": byte " + std::to_string(byte_tabella.size()) +
             ": 1 byte dopo la voce 86, l'ultima della tabella"},
        {tabella(), byte_tabella.substr(0, 40), {"plot", cartella.percorso().string()},
         tabella() + ": byte 39: il file finisce dentro il campo fine della voce 1"},
        // 59002 values; the last, empty, takes the file's last two bytes.
        {piano(), byte_piano.substr(0, 589963), {"dump", piano()},
         piano() + ": byte 589962: il file finisce dentro il valore 59001 del tracciato"},
        {piano(), byte_piano.substr(0, 589962), {"dump", piano()},
         piano() + ": byte 589962: il tracciato ha 59001 valori, un numero dispari"},
        {piano(), etichetta_3, {"dump", piano()},
         piano() + ": byte 0: il valore 0 del tracciato ha l'etichetta 3, che non e' 0, 2 ne' 5"},
    };
    for (const Caso& caso : casi) {
        const std::string originale = test::leggi(caso.file);
        test::scrivi(caso.file, caso.contenuto);
        const Esito esito = strumento(caso.comando);
        test::scrivi(caso.file, originale);
        EXPECT_EQ(esito.stato, stato::fallito) << caso.messaggio;
        EXPECT_EQ(esito.errori.rfind("scenario-tool: " + caso.messaggio, 0), 0u) << esito.errori;
        EXPECT_EQ(std::count(esito.errori.begin(), esito.errori.end(), '\n'), 1) << esito.errori;
        EXPECT_EQ(esito.uscita, "") << caso.messaggio;
    }
}

TEST(Ispezione, ArgumentsAndNamesThatDoNotFitAreRefused) {
    test::CartellaTemporanea cartella;
    const std::string testo = (cartella / "note.txt").string();
    test::scrivi(testo, "");
    const std::string tabella = (cartella / "x.sim").string();
    test::scrivi(tabella, "");
    const std::vector<std::pair<std::vector<std::string>, std::string>> casi{
        {{"dump"}, "manca FILE"},
        {{"dump", testo}, "non so quale file compilato sia " + testo},
        {{"dump", tabella, "--csv"}, "opzione sconosciuta per dump: --csv"},
        {{"profile", tabella}, tabella + " e' la tabella, non il file delle celle"},
        {{"profile", "a.dat", "b.dat"}, "argomento in piu': \"b.dat\""},
        {{"plot", (cartella / "assente").string()}, "non esiste"},
        {{"plot", cartella.percorso().string()}, "impossibile leggere "},
    };
    for (const auto& [comando, messaggio] : casi) {
        const Esito esito = strumento(comando);
        EXPECT_EQ(esito.stato, stato::fallito) << messaggio;
        EXPECT_NE(esito.errori.find(messaggio), std::string::npos) << esito.errori;
        EXPECT_EQ(esito.uscita, "");
    }
}

// Rows of cells with known content: gradient 5 in cells 0 to 59, speed
// 90 km/h from cell 1, adhesion 100 to cell 39 and 96 from 40, stretch type 2
// in cells 7 to 16 and 3 from 20; the stop of the first station, the
// slowdown at 2000 m with its approach and warning cells, the code change
// the slowdown asks for on cell 36 under the signal's first approach mark,
// the signal at 1850 m.
TEST_F(Compilato, ProfileDescribesEachCellInWords) {
    const auto linee = righe_di({"profile", celle(), "--csv"});
    ASSERT_EQ(linee.size(), 1u + 591u);
    EXPECT_EQ(linee[0],
              "cella,km (inizio della cella = cella x 0.05),pendenza,velocita (km/h),aderenza,"
              "montagna,preavviso,oggetti");
    const std::vector<std::pair<std::size_t, std::string>> attese{
        {6, "6,0.300,5,90,100,,,fermata della stazione 1: CORVESCA"},
        {13, "13,0.650,5,90,100,2,,preavviso di rallentamento 4"},
        {14, "14,0.700,5,90,100,2,,preavviso di rallentamento 3"},
        {15, "15,0.750,5,90,100,2,,preavviso di rallentamento 2"},
        {16, "16,0.800,5,90,100,2,,preavviso di rallentamento 1"},
        {17, "17,0.850,5,90,100,,,avviso di rallentamento 60 km/h d_v 60"},
        {36, "36,1.800,5,90,100,3,81,cambio di codice 180"},
        {38, "38,1.900,5,90,100,3,,segnale s1/d1 4/2 sx/dx 2/2"},
        {41, "41,2.050,5,90,96,3,,inizio rallentamento 60 km/h d_v 60 f_tt 1"},
        {48, "48,2.400,5,90,96,3,,fine rallentamento 60 km/h d_v 60 f_tt 1"},
        // Past the last filled cell neither gradient nor speed is written.
        {590, "590,29.500,,0,0,,,"},
    };
    for (const auto& [cella, riga] : attese) {
        EXPECT_EQ(linee[1 + cella], riga);
    }

    // The text form: the meaning of the chainage first, then aligned rows.
    const Esito testo = strumento({"profile", celle()});
    ASSERT_EQ(testo.stato, stato::pulito) << testo.errori;
    EXPECT_NE(testo.uscita.find("cella k = k x 0.05 km"), std::string::npos);
    EXPECT_NE(testo.uscita.find("\n   38   1.900        5    90      100        3            "
                                "segnale s1/d1 4/2 sx/dx 2/2\n"),
              std::string::npos)
        << testo.uscita.substr(0, 3000);

    // Without the table beside it the stop is named by its entry only.
    fs::remove(tabella());
    EXPECT_EQ(righe_di({"profile", celle(), "--csv"}).at(1 + 6),
              "6,0.300,5,90,100,,,fermata della stazione 1");
}

// The drawing holds every station's name, escaped, once in the plan and once
// in the chart; its well-formedness is checked by an XML parser in a test of
// its own.
TEST_F(Compilato, PlotNamesEveryStation) {
    const std::string disegno = (cartella / "scenario.svg").string();
    const Esito esito = strumento({"plot", cartella.percorso().string(), "-o", disegno});
    ASSERT_EQ(esito.stato, stato::pulito) << esito.errori;
    EXPECT_EQ(esito.uscita, "");
    const std::string svg = test::leggi(disegno);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    for (const char* nome :
         {"CORVESCA", "VALCHIARA&apos;", "ROSSAVELLA", "MARCO TESSITORE", "PIANO SERENO",
          "CORTE DEI MERLAI", "PORTA SALICE ORTENSE", "ARCO DI PIETRALUNA", "COLLI SERENI",
          "PIAZZA LAVINA", "PONTE VALLE", "SAN BASILIDE", "FERLANI", "GIARDINO DEL PERO", "SORVELO",
          "CORTESELLA", "MALVASINI", "TORNEA", "VERDANIO", "BRENTIO", "SARVEDANO"}) {
        const std::string testo = std::string(">") + nome + "</text>";
        std::size_t volte = 0;
        for (auto i = svg.find(testo); i != std::string::npos; i = svg.find(testo, i + 1)) {
            ++volte;
        }
        EXPECT_EQ(volte, 2u) << nome;
    }
    EXPECT_EQ(svg.find("VALCHIARA'"), std::string::npos);

    // Without -o the drawing goes to standard output; without the plan file
    // only the chart is drawn.
    fs::remove(piano());
    const Esito senza_piano = strumento({"plot", cartella.percorso().string()});
    ASSERT_EQ(senza_piano.stato, stato::pulito) << senza_piano.errori;
    EXPECT_NE(senza_piano.uscita.find("Nessun tracciato"), std::string::npos);
    EXPECT_NE(senza_piano.uscita.find(">SARVEDANO</text>"), std::string::npos);
}

// What no compiler writes but a damaged file may hold still gives a drawing:
// no cells, no stations, a slowdown without its end, plan values that are
// not numbers or lie far away, names with XML's reserved characters and
// bytes outside ASCII.
TEST(Disegno, OddContentStillGivesADrawing) {
    const std::string vuoto = disegno(Compilati{});
    EXPECT_NE(vuoto.find("</svg>"), std::string::npos);

    Compilati strani;
    strani.celle.resize(4);
    strani.celle[1].tipo = tipo_cella::inizio_rallentamento;
    strani.celle[1].dato1 = -100;
    strani.celle[2] = {tipo_cella::segnale, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255};
    strani.tabella[1].posizione = -5000;
    strani.tabella[1].nome = "A<&>\"'\x01\xE8";
    strani.tabella[2].posizione = 1000000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    strani.tracciato = test::piano_di(
        {{nan, 1.0}, {inf, -inf}, {std::monostate{}, 2.0}, {1e300, -1e300}, {int16_t{5}, 3.0}});
    const std::string svg = disegno(strani);
    EXPECT_NE(svg.find(">A&lt;&amp;&gt;&quot;&apos;?\xC3\xA8</text>"), std::string::npos);
    for (const char* parola : {"nan", "inf", "e+"}) {
        EXPECT_EQ(svg.find(parola), std::string::npos) << parola;
    }
}

}  // namespace
}  // namespace scenario::autore
