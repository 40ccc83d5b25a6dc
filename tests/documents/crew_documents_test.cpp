#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/slow_order.h"
#include "documents/train_sheet.h"
#include "platform/disk_folder.h"
#include "platform/memory_folder.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

// Lines `prima` to `ultima` (counting from 1) are `lunghezza` characters long.
struct Lunghezze {
    std::size_t prima;
    std::size_t ultima;
    std::size_t lunghezza;
};

struct Documento {
    const char* caso;
    const char* attesi;
    void (*scrivi)(platform::Folder&, const Identita&);
    std::string (*nome)(const Identita&);
    std::size_t byte;
    std::vector<Lunghezze> lunghezze;  // every line of the document
    std::size_t prima_tabella;
    std::size_t ultima_tabella;
    std::vector<std::size_t> barre;  // where the table's "|" stand, from 0
    std::vector<std::size_t> finiscono_con_spazio;
};

void PrintTo(const Documento& documento, std::ostream* out) { *out << documento.caso; }

std::vector<std::string> righe_di(const std::string& testo) {
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    for (std::size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2) {
        righe.push_back(testo.substr(inizio, fine - inizio));
    }
    EXPECT_EQ(inizio, testo.size()) << "text after the last line end";
    return righe;
}

std::string scritto(const Documento& documento) {
    platform::MemoryFolder cartella;
    documento.scrivi(cartella, identita_scenario());
    EXPECT_EQ(cartella.files().size(), 1u);
    return cartella.read(documento.nome(identita_scenario()));
}

class DocumentoDiBordo : public ::testing::TestWithParam<Documento> {};

TEST_P(DocumentoDiBordo, IsWrittenByteForByteUnderItsName) {
    const auto& documento = GetParam();
    const std::string testo = scritto(documento);
    EXPECT_EQ(testo.size(), documento.byte);
    EXPECT_TRUE(test::stessi_byte(test::dati_attesi(documento.attesi), testo));
}

TEST_P(DocumentoDiBordo, KeepsItsLineLengthsAndTableColumns) {
    const auto& documento = GetParam();
    const auto righe = righe_di(scritto(documento));

    std::size_t attese = 0;
    for (const auto& gruppo : documento.lunghezze) {
        for (std::size_t n = gruppo.prima; n <= gruppo.ultima; ++n, ++attese) {
            ASSERT_LE(n, righe.size());
            EXPECT_EQ(righe[n - 1].size(), gruppo.lunghezza) << "line " << n;
        }
    }
    EXPECT_EQ(righe.size(), attese);

    for (std::size_t n = documento.prima_tabella; n <= documento.ultima_tabella; ++n) {
        std::vector<std::size_t> barre;
        for (std::size_t i = 0; i < righe[n - 1].size(); ++i) {
            if (righe[n - 1][i] == '|') {
                barre.push_back(i);
            }
        }
        EXPECT_EQ(barre, documento.barre) << "line " << n;
    }

    std::vector<std::size_t> con_spazio;
    for (std::size_t n = 1; n <= righe.size(); ++n) {
        if (righe[n - 1].ends_with(' ')) {
            con_spazio.push_back(n);
        }
    }
    EXPECT_EQ(con_spazio, documento.finiscono_con_spazio);
}

INSTANTIATE_TEST_SUITE_P(
    Scenario, DocumentoDiBordo,
    ::testing::Values(
        Documento{"SchedaTreno", "documents/data/scheda_treno.txt", dati_scheda, nome_scheda_treno, 3733,
                  {{1, 2, 0}, {3, 3, 82}, {4, 7, 83}, {8, 8, 56}, {9, 9, 64}, {10, 11, 57}, {12, 12, 0},
                   {13, 13, 82}, {14, 48, 83}, {49, 49, 0}},
                  14, 48, {1, 7, 13, 24, 30, 59, 76, 82}, {9}},
        Documento{"Rallentamenti", "documents/data/rallentamenti.txt", dati_rallentamenti, nome_rallentamenti, 3284,
                  {{1, 1, 0}, {2, 2, 42}, {3, 3, 50}, {4, 4, 81}, {5, 5, 27}, {6, 6, 0}, {7, 7, 78}, {8, 8, 81},
                   {9, 39, 82}, {40, 40, 0}, {41, 41, 37}, {42, 42, 63}, {43, 43, 42}, {44, 44, 49},
                   {45, 45, 58}, {46, 46, 42}},
                  9, 39, {1, 5, 34, 47, 58, 68, 81}, {}}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(Note, AnExistingNotesFileWithContentIsLeftEmpty) {
    test::CartellaTemporanea temporanea;
    const std::string nome = nome_note(identita_scenario());
    test::scrivi(temporanea / nome, "appunti del turno precedente\r\n");
    platform::DiskFolder cartella(temporanea.percorso());

    dati_note(cartella, identita_scenario());

    EXPECT_TRUE(std::filesystem::is_regular_file(temporanea / nome));
    EXPECT_EQ(test::leggi(temporanea / nome), "");
}

TEST(SchedaTreno, ReplacesALongerSheetWhole) {
    test::CartellaTemporanea temporanea;
    const std::string nome = nome_scheda_treno(identita_scenario());
    test::scrivi(temporanea / nome, std::string(8000, '#'));
    platform::DiskFolder cartella(temporanea.percorso());

    dati_scheda(cartella, identita_scenario());

    EXPECT_TRUE(test::stessi_byte(test::dati_attesi("documents/data/scheda_treno.txt"),
                                  test::leggi(temporanea / nome)));
}

}  // namespace
}  // namespace scenario
