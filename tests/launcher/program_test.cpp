// The built program, run as a user runs it: copied into a folder of its own
// and started from another folder, with nothing on its command line. Started
// through the POSIX shell; the Windows program is run the same way by the
// continuous integration's comparison of the two builds' files.

#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sys/wait.h>

#include "compiler/compiled_files.h"
#include "description/file_names.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

struct Esito {
    int stato;
    std::string errori;
};

Esito esegui(const std::filesystem::path& programma, const std::filesystem::path& errori) {
    const std::string comando = "cd / && '" + programma.string() + "' 2>'" + errori.string() + "'";
    const int stato = std::system(comando.c_str());
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, test::leggi(errori)};
}

std::set<std::string> nomi_in(const std::filesystem::path& cartella) {
    std::set<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
        nomi.insert(voce.path().filename().string());
    }
    return nomi;
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> contenuto(const std::filesystem::path& cartella) {
    std::map<std::string, std::string> file;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
        file[voce.path().filename().string()] = test::leggi(voce.path());
    }
    return file;
}

// The program copied into a folder of its own.
struct Installato {
    test::CartellaTemporanea cartella;
    test::CartellaTemporanea uscita;
    std::filesystem::path programma = cartella / "scenario";

    Installato() { std::filesystem::copy_file(SCENARIO_PROGRAM, programma); }
    Esito esegui() const { return scenario::esegui(programma, uscita / "stderr"); }
};

TEST(Programma, WritesTheCompiledScenarioAndTheCrewDocumentsBesideItself) {
    const Installato installato;
    const Esito esito = installato.esegui();
    EXPECT_EQ(esito.stato, 0);
    EXPECT_EQ(esito.errori, "Attendere\n");

    // No description file: the compiler has read both and deleted them.
    const Identita id = identita_scenario();
    const std::set<std::string> attesi{"scenario",           nome_piano_compilato(id), nome_tabella_compilata(id),
                                       nome_celle_compilate(id), nome_note(id),        nome_rallentamenti(id),
                                       nome_scheda_treno(id)};
    EXPECT_EQ(nomi_in(installato.cartella.percorso()), attesi);
    const auto prima = contenuto(installato.cartella.percorso());
    EXPECT_EQ(prima.at(nome_celle_compilate(id)).size(), 8865u);
    EXPECT_EQ(prima.at(nome_piano_compilato(id)).size(), 589964u);

    // A second run gives the same files, byte for byte.
    EXPECT_EQ(installato.esegui().stato, 0);
    const auto dopo = contenuto(installato.cartella.percorso());
    ASSERT_EQ(nomi_in(installato.cartella.percorso()), attesi);
    for (const auto& [nome, byte] : prima) {
        EXPECT_TRUE(test::stessi_byte(byte, dopo.at(nome))) << nome;
    }
}

// The signal at 1850 m, from the train description to the compiled cells:
// cell 38, with the code change the slowdown at 2000 m asks for on cell 36.
TEST(Programma, TheSignalAt1850MetresReachesTheCompiledCellFile) {
    const Installato installato;
    ASSERT_EQ(installato.esegui().stato, 0);
    const auto celle = celle_dai_byte(
        test::leggi(installato.cartella / nome_celle_compilate(identita_scenario())));
    ASSERT_EQ(celle.size(), 591u);

    const Cella& segnale = celle[38];
    EXPECT_EQ(segnale.tipo, tipo_cella::segnale);
    EXPECT_EQ(segnale.dato1, 42);
    EXPECT_EQ(segnale.dato2, 0);
    EXPECT_EQ(segnale.dato3, 0);
    EXPECT_EQ(segnale.dato4, 8);
    EXPECT_EQ(segnale.tempo, 0);
    EXPECT_EQ(celle[36].tipo, tipo_cella::cambio_codice);
    EXPECT_EQ(celle[36].dato1, 180);
    EXPECT_EQ(celle[41].tipo, tipo_cella::inizio_rallentamento);
    for (const int b : {1, 2, 3, 4}) {
        EXPECT_EQ(celle[static_cast<std::size_t>(38 - 2 * b)].preavviso, 80 + b) << b;
    }
    EXPECT_EQ(celle[1].dato1, 5121);
}

}  // namespace
}  // namespace scenario

#endif  // _WIN32
