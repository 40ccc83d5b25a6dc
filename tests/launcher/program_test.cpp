// The built program, run as a user runs it: copied into a folder of its own
// and started from another folder, with nothing on its command line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/wait.h>

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

TEST(Programma, WritesItsFilesBesideItselfAndEndsWithStatusZero) {
    test::CartellaTemporanea cartella;
    test::CartellaTemporanea uscita;
    const auto programma = cartella / "scenario";
    std::filesystem::copy_file(SCENARIO_PROGRAM, programma);

    const Esito esito = esegui(programma, uscita / "stderr");

    EXPECT_EQ(esito.stato, 0);
    EXPECT_EQ(esito.errori, "Attendere\n");
    // The compiler has read both descriptions and deleted them.
    const Identita id = identita_scenario();
    const std::set<std::string> dopo_la_prima = nomi_in(cartella.percorso());
    EXPECT_FALSE(dopo_la_prima.contains(nome_descrizione_linea(id)));
    EXPECT_FALSE(dopo_la_prima.contains(nome_descrizione_treno(id)));
    for (const auto& nome : {nome_note(id), nome_rallentamenti(id), nome_scheda_treno(id)}) {
        EXPECT_TRUE(dopo_la_prima.contains(nome)) << nome;
    }

    // A second run gives the same files.
    const std::string prima = test::leggi(cartella / nome_scheda_treno(id));
    EXPECT_EQ(esegui(programma, uscita / "stderr").stato, 0);
    EXPECT_EQ(nomi_in(cartella.percorso()), dopo_la_prima);
    EXPECT_EQ(test::leggi(cartella / nome_scheda_treno(id)), prima);
}

}  // namespace
}  // namespace scenario
