#include "description/scenario_content.h"

#include <gtest/gtest.h>

#include "platform/memory_folder.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

struct FileDescrizione {
    const char* caso;
    const char* attesi;
    void (*scrivi)(platform::Folder&, const Identita&);
    std::string (*nome)(const Identita&);
    std::size_t byte;
};

class DescrizioneScenario : public ::testing::TestWithParam<FileDescrizione> {};

TEST_P(DescrizioneScenario, IsWrittenByteForByteUnderItsName) {
    const auto& caso = GetParam();
    platform::MemoryFolder cartella;
    caso.scrivi(cartella, identita_scenario());

    ASSERT_EQ(cartella.files().size(), 1u);
    const std::string nome = caso.nome(identita_scenario());
    ASSERT_TRUE(cartella.exists(nome));
    const std::string scritto = cartella.read(nome);
    EXPECT_EQ(scritto.size(), caso.byte);
    EXPECT_TRUE(test::stessi_byte(test::dati_attesi(caso.attesi), scritto));
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, DescrizioneScenario,
    ::testing::Values(FileDescrizione{"Linea", "description/data/linea.txt", dati_linea, nome_descrizione_linea, 781},
                      FileDescrizione{"Treno", "description/data/treno.txt", dati_treno, nome_descrizione_treno, 3185}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(NomiDeiFile, AreJoinedFromLineAndTrain) {
    const Identita id{"L", "7"};
    EXPECT_EQ(nome_descrizione_linea(id), "L_linea.txt");
    EXPECT_EQ(nome_descrizione_treno(id), "L_7-.txt");
    EXPECT_EQ(nome_piano_compilato(id), "L_linea.dat");
    EXPECT_EQ(nome_tabella_compilata(id), "L_7.sim");
    EXPECT_EQ(nome_celle_compilate(id), "L_7.dat");
    EXPECT_EQ(nome_scheda_treno(id), "L_7_scheda_treno.txt");
    EXPECT_EQ(nome_rallentamenti(id), "L_7_rallentamenti.txt");
    EXPECT_EQ(nome_note(id), "L_7_note.txt");
    EXPECT_EQ(nome_descrizione_treno(identita_scenario()),
              "Metropolitana di Orvalla Linea A Corvesca-Sarvedano_54-.txt");
}

}  // namespace
}  // namespace scenario
