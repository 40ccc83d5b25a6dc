// The compiler for scenario authors, called in-process as its program calls
// it: arguments, the private folder, what reaches the output folder, and the
// exit statuses.

#include "author/tool.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>

#include "author/meanings.h"
#include "compiler/compiler.h"
#include "platform/memory_folder.h"
#include "tests/author/author_fixture.h"
#include "tests/support/test_support.h"

namespace scenario::autore {
namespace {

namespace fs = std::filesystem;

using test::Esito;
using test::strumento;

// Every file of a folder with its bytes.
std::map<std::string, std::string> contenuto(const fs::path& cartella) {
    std::map<std::string, std::string> file;
    for (const auto& voce : fs::directory_iterator(cartella)) {
        file[voce.path().filename().string()] = test::leggi(voce.path());
    }
    return file;
}

using test::Descrizioni;
using test::descrizioni_scenario;

// The compiled files the program's compiler gives on the two descriptions,
// run in-process as the launcher runs it, in a folder held in memory.
std::map<std::string, std::string> compilati_dal_programma(const Descrizioni& descrizioni,
                                                           const Identita& id) {
    platform::MemoryFolder programma;
    programma.replace(nome_descrizione_linea(id), descrizioni.linea);
    programma.replace(nome_descrizione_treno(id), descrizioni.treno);
    Modello modello;
    modello.linea = id.linea;
    modello.treno = id.treno;
    try {
        memorizza_percorso(modello, programma, 1);
    } catch (const ErroreFatale&) {
        return {};
    } catch (const SenzaCelle&) {
        return {};
    }
    std::map<std::string, std::string> compilati;
    for (const auto& nome :
         {nome_piano_compilato(id), nome_tabella_compilata(id), nome_celle_compilate(id)}) {
        if (programma.exists(nome) && !modello.celle.empty()) {
            compilati[nome] = programma.read(nome);
        }
    }
    return compilati;
}

// An author's folder holding a line and a train description, and an empty
// output folder.
class Autore : public ::testing::Test {
protected:
    void descrivi(std::string_view linea, std::string_view treno) {
        test::scrivi(file_linea(), linea);
        test::scrivi(file_treno(), treno);
    }
    std::string file_linea() const { return (sorgenti / "linea.txt").string(); }
    std::string file_treno() const { return (sorgenti / "treno.txt").string(); }
    std::string uscita() const { return destinazione.percorso().string(); }

    test::CartellaTemporanea sorgenti;
    test::CartellaTemporanea destinazione;
};

TEST_F(Autore, CompilesTheScenarioDescriptionsIntoTheProgramsOwnBytes) {
    const Descrizioni scenario = descrizioni_scenario();
    descrivi(scenario.linea, scenario.treno);

    const Esito esito = strumento({"compile", file_linea(), file_treno(), "-o", uscita()});

    EXPECT_EQ(esito.stato, stato::pulito) << esito.errori;
    EXPECT_EQ(esito.errori, "");
    const auto attesi = compilati_dal_programma(scenario, identita_scenario());
    ASSERT_EQ(attesi.size(), 3u);
    const auto scritti = contenuto(destinazione.percorso());
    ASSERT_EQ(scritti.size(), attesi.size());
    for (const auto& [nome, byte] : attesi) {
        ASSERT_TRUE(scritti.contains(nome)) << nome;
        EXPECT_TRUE(test::stessi_byte(byte, scritti.at(nome))) << nome;
    }
    // The author's files are read, never changed or deleted.
    EXPECT_EQ(contenuto(sorgenti.percorso()),
              (std::map<std::string, std::string>{{"linea.txt", scenario.linea},
                                                  {"treno.txt", scenario.treno}}));
}

TEST_F(Autore, CheckReadsTheSameWayAndWritesNothing) {
    const Descrizioni scenario = descrizioni_scenario();
    descrivi(scenario.linea, scenario.treno);
    const fs::path corrente = fs::current_path();
    fs::current_path(destinazione.percorso());

    const Esito esito = strumento({"check", file_linea(), file_treno()});

    fs::current_path(corrente);
    EXPECT_EQ(esito.stato, stato::pulito) << esito.errori;
    EXPECT_TRUE(contenuto(destinazione.percorso()).empty());
    EXPECT_EQ(contenuto(sorgenti.percorso()).size(), 2u);
}

TEST_F(Autore, WithoutThePlanNoPlanFileIsWrittenAndAnOldOneStays) {
    const Descrizioni scenario = descrizioni_scenario();
    descrivi(scenario.linea, scenario.treno);
    const Identita id{"Linea B", "7"};
    test::scrivi(destinazione / nome_piano_compilato(id), "vecchio");

    const Esito esito = strumento({"compile", file_linea(), file_treno(), "--senza-tracciato", "-o",
                                   uscita(), "--linea", "Linea B", "--treno", "7"});

    EXPECT_EQ(esito.stato, stato::pulito) << esito.errori;
    EXPECT_EQ(test::leggi(destinazione / nome_piano_compilato(id)), "vecchio");
    const auto scritti = contenuto(destinazione.percorso());
    EXPECT_EQ(scritti.size(), 3u);
    EXPECT_TRUE(scritti.contains(nome_tabella_compilata(id)));
    EXPECT_TRUE(scritti.contains(nome_celle_compilate(id)));
}

TEST_F(Autore, ALineThatGivesNoCellsLeavesTheOutputFolderAsItWas) {
    descrivi("[generale]\r\nlunghezza percorso, 2000000\r\n[fine]\r\n", "[generale]\r\n[fine]\r\n");
    const Identita id = identita_scenario();
    test::scrivi(destinazione / nome_celle_compilate(id), "vecchie celle");

    const Esito esito = strumento({"compile", file_linea(), file_treno(), "-o", uscita()});

    EXPECT_EQ(esito.stato, stato::errori);
    EXPECT_NE(esito.errori.find("errore 1: "), std::string::npos) << esito.errori;
    EXPECT_EQ(contenuto(destinazione.percorso()),
              (std::map<std::string, std::string>{{nome_celle_compilate(id), "vecchie celle"}}));
}

// Faulty description pairs, one per family of codes: every error in the
// order found, with the line of the field last read (or, for the chainage
// check and the pass, none), the position where the code has one, and the
// exit status. What reaches the output folder is what the program's compiler
// gives on the same files; the author's files stay as they were.
struct Errore {
    bool nel_treno;  // else in the line description
    int32_t riga;    // 0: no line
    int32_t codice;
    std::optional<int32_t> posizione = std::nullopt;
};

struct CasoErrato {
    const char* nome;
    std::string linea;
    std::string treno;
    std::vector<Errore> errori;
    int stato = stato::errori;
};

constexpr const char* linea_base =
    "[generale]\r\nlunghezza percorso,    22500\r\n[curve]\r\n[fine]\r\n";
constexpr const char* treno_base = "[generale]\r\nnumero vetture,    4\r\n[fine]\r\n";

std::string con_linea(std::string_view righe) {
    return std::string(linea_base).insert(std::string(linea_base).find("[fine]"), righe);
}

std::string con_treno(std::string_view righe) {
    return std::string(treno_base).insert(std::string(treno_base).find("[fine]"), righe);
}

std::string stazione(int32_t posizione, std::string_view nome) {
    std::ostringstream riga;
    riga << "stazione,    " << posizione << ", 26,  300,  0, 0, 0,  0,0,0,  0,0,0,  0,   0, 0, 0, "
         << nome << "\r\n";
    return riga.str();
}

std::string segnale(int32_t posizione) {
    std::ostringstream riga;
    riga << "segnale,    " << posizione << ",   2, 4, 0,  0, 0,    2,  2,0,0, 0\r\n";
    return riga.str();
}

const std::vector<CasoErrato>& casi_errati() {
    static const std::vector<CasoErrato> casi{
        {"NoGeneralSection",
         "lunghezza percorso,    22500\r\n[fine]\r\n",
         treno_base,
         {{false, 2, 102}}},
        {"LengthTooLargeGivesNoCells",
         "[generale]\r\nlunghezza percorso,    2000000\r\n[fine]\r\n",
         treno_base,
         {{false, 2, 1}}},
        {"RepetitionWithoutCodes",
         "[generale]\r\nlunghezza percorso,    22500\r\nripetizione segnali,    0    "
         ",50\r\n[curve]\r\n[fine]\r\n",
         treno_base,
         {{false, 3, 5}}},
        {"CurveWithoutClass", con_linea("curvad,  1000,  500\r\n"), treno_base, {{false, 4, 103}}},
        {"SignboardOnIndicatorBoards",
         con_linea("indicatori_vmax,  500,  90,  90,  90,  0,  90,  90,  90,  0\r\n"
                   "[indicazioni]\r\ncartello_indicatore,  500,   (PONTE)\r\n"),
         treno_base,
         {{false, 6, 6, 500}}},
        {"NumberWiderThanItsField",
         con_linea("pendenza,  99999999999,   3\r\n"),
         treno_base,
         {{false, 4, 25}}},
        {"LineBeyondTheCellsThenChainage",
         "[generale]\r\nlunghezza percorso,    22500\r\nprogressiva tre,  5010, 0, "
         "0\r\n[pendenze]\r\n"
         "pendenza,  30000,   3\r\n[fine]\r\n",
         treno_base,
         {{false, 5, 15, 30000}, {false, 0, 2}}},
        {"TrainBeyondTheCells", linea_base, con_treno(segnale(30000)), {{true, 3, 15, 30000}}},
        {"StationNotOnAMultipleOf50",
         linea_base,
         con_treno(stazione(1325, "VALCHIARA'")),
         {{true, 3, 8, 1325}}},
        {"StationsTooClose",
         linea_base,
         con_treno(stazione(1000, "PRIMA") + stazione(1300, "SECONDA")),
         {{true, 4, 22, 1300}}},
        {"SignalOnASignal",
         linea_base,
         con_treno(segnale(1850) + segnale(1850)),
         {{true, 4, 16, 1850}}},
        {"TrainNumberWiderThanItsField",
         linea_base,
         "[generale]\r\nsabbia,    99999\r\n[fine]\r\n",
         {{true, 2, 25}}},
        // Signals on cells 8, 9 and 10 before the warning board on cell 17;
        // signals on cells 34, 35 and 36 fill the first window before the
        // slowdown start on cell 41.
        {"PassErrorsInTheOrderFound",
         linea_base,
         con_treno(segnale(350) + segnale(400) + segnale(450) + segnale(1650) + segnale(1700) +
                   segnale(1750) + "rallentamento,    2000,    60,  350, 1,  0,  0\r\n"),
         {{true, 0, 11, 500}, {true, 0, 12, 2050}}},
        {"CodeChangeOnCell1IsFatal",
         linea_base,
         con_treno("abbattimento,    50,    5\r\n"),
         {{true, 0, 1250, 50}},
         stato::fallito},
    };
    return casi;
}

class DescrizioniErrate : public ::testing::TestWithParam<CasoErrato> {};

void PrintTo(const CasoErrato& caso, std::ostream* os) { *os << caso.nome; }

TEST_P(DescrizioniErrate, NameEachErrorWhereItIs) {
    const CasoErrato& caso = GetParam();
    test::CartellaTemporanea sorgenti;
    test::CartellaTemporanea destinazione;
    const std::string file_linea = (sorgenti / "linea.txt").string();
    const std::string file_treno = (sorgenti / "treno.txt").string();
    test::scrivi(file_linea, caso.linea);
    test::scrivi(file_treno, caso.treno);

    const Esito esito =
        strumento({"compile", file_linea, file_treno, "-o", destinazione.percorso().string()});

    std::ostringstream attese;
    for (const Errore& e : caso.errori) {
        attese << (e.nel_treno ? file_treno : file_linea);
        if (e.riga > 0) {
            attese << ':' << e.riga;
        }
        attese << ": errore " << e.codice << ": " << significato(e.codice);
        if (e.posizione) {
            attese << " (posizione " << *e.posizione << " m)";
        }
        attese << '\n';
    }
    EXPECT_EQ(esito.errori, attese.str());
    EXPECT_EQ(esito.stato, caso.stato);
    EXPECT_EQ(contenuto(destinazione.percorso()),
              compilati_dal_programma({caso.linea, caso.treno}, identita_scenario()));
    EXPECT_EQ(
        contenuto(sorgenti.percorso()),
        (std::map<std::string, std::string>{{"linea.txt", caso.linea}, {"treno.txt", caso.treno}}));
}

INSTANTIATE_TEST_SUITE_P(Casi, DescrizioniErrate, ::testing::ValuesIn(casi_errati()),
                         [](const auto& info) { return std::string(info.param.nome); });

// Wrong command lines and unusable files: one line saying what is wrong,
// status 2, nothing written.
TEST_F(Autore, BadArgumentsAndMissingFilesGetTheirMessageAndStatusTwo) {
    const Descrizioni scenario = descrizioni_scenario();
    descrivi(scenario.linea, scenario.treno);
    const std::string assente = (sorgenti / "assente.txt").string();
    struct Caso {
        std::vector<std::string> argomenti;
        std::string messaggio;
    };
    const std::vector<Caso> casi{
        {{}, "manca il comando"},
        {{"compila", file_linea(), file_treno()}, "comando sconosciuto \"compila\""},
        {{"compile", file_linea()}, "manca FILE_TRENO"},
        {{"check"}, "mancano FILE_LINEA e FILE_TRENO"},
        {{"compile", file_linea(), file_treno(), "terzo"}, "argomento in piu': \"terzo\""},
        {{"compile", file_linea(), file_treno(), "--veloce"},
         "opzione sconosciuta per compile: --veloce"},
        {{"check", file_linea(), file_treno(), "-o", uscita()},
         "opzione sconosciuta per check: -o"},
        {{"compile", file_linea(), file_treno(), "-o"}, "manca il valore di -o"},
        {{"compile", file_linea(), file_treno(), "--treno", "7", "--treno", "8"},
         "opzione ripetuta: --treno"},
        {{"compile", file_linea(), file_treno(), "--linea", "a/b"},
         "valore non valido per --linea: \"a/b\""},
        {{"compile", file_linea(), file_treno(), "--treno", ""},
         "valore non valido per --treno: \"\""},
        {{"compile", file_linea(), file_treno(), "--treno", "linea"},
         "il nome del file del tracciato"},
        {{"compile", assente, file_treno(), "-o", uscita()},
         "impossibile leggere " + assente + ": "},
        {{"check", file_linea(), sorgenti.percorso().string()}, "impossibile leggere "},
        {{"compile", file_linea(), file_treno(), "-o", assente},
         "la cartella " + assente + " non esiste"},
    };
    for (const Caso& caso : casi) {
        const Esito esito = strumento(caso.argomenti);
        EXPECT_EQ(esito.stato, stato::fallito) << caso.messaggio;
        EXPECT_EQ(esito.errori.rfind("scenario-tool: ", 0), 0u) << esito.errori;
        EXPECT_NE(esito.errori.find(caso.messaggio), std::string::npos) << esito.errori;
        EXPECT_EQ(std::count(esito.errori.begin(), esito.errori.end(), '\n'), 1) << esito.errori;
        EXPECT_EQ(esito.uscita, "");
    }
    EXPECT_TRUE(contenuto(destinazione.percorso()).empty());
    EXPECT_EQ(contenuto(sorgenti.percorso()).size(), 2u);
}

TEST(Strumento, HelpExplainsEveryOption) {
    for (const auto& argomenti :
         {std::vector<std::string>{"--help"}, std::vector<std::string>{"compile", "-h"}}) {
        const Esito esito = strumento(argomenti);
        EXPECT_EQ(esito.stato, stato::pulito);
        EXPECT_EQ(esito.errori, "");
        for (const char* parola : {"compile", "check", "-o CARTELLA", "--linea NOME",
                                   "--treno NUMERO", "--senza-tracciato", "--help"}) {
            EXPECT_NE(esito.uscita.find(parola), std::string::npos) << parola;
        }
    }
}

#ifndef _WIN32
// The built program only forwards its arguments and streams. (Started through
// the POSIX shell.)
TEST(Strumento, TheProgramForwardsArgumentsAndStatus) {
    test::CartellaTemporanea cartella;
    std::string comando("'");
    comando.append(SCENARIO_TOOL).append("' check >'").append((cartella / "uscita").string());
    comando.append("' 2>'").append((cartella / "errori").string()).append("'");
    const int stato = std::system(comando.c_str());
    ASSERT_TRUE(WIFEXITED(stato));
    EXPECT_EQ(WEXITSTATUS(stato), stato::fallito);
    EXPECT_EQ(test::leggi(cartella / "uscita"), "");
    EXPECT_EQ(test::leggi(cartella / "errori").rfind("scenario-tool: mancano FILE_LINEA", 0), 0u);
}
#endif

}  // namespace
}  // namespace scenario::autore
