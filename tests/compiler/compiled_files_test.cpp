#include "compiler/compiled_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "compiler/compiled_layout.h"
#include "compiler/compiler.h"
#include "description/file_names.h"
#include "platform/memory_folder.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

std::string byte(std::initializer_list<int> valori) {
    std::string testo;
    for (const int v : valori) {
        testo.push_back(static_cast<char>(v));
    }
    return testo;
}

Modello con_nomi(std::string treno, std::string linea) {
    Modello modello;
    modello.tabella[voce::ripetizione].nome = std::move(treno);
    modello.tabella[voce::sfondi].nome = std::move(linea);
    return modello;
}

TEST(CodiciGara, SumTheFirst25CharactersOfTheLowerCasedCheckText) {
    struct Caso {
        const char* treno;
        const char* linea;
        int16_t og;
        int32_t st;
    };
    const Caso casi[] = {
        {"a", "bc", 2546, 33756},  // "abcaabbccddeeffgghhiillmm"
        {"", "ABC", 2546, 33756},
        {"", "", 2583, 34355},  // the tail alone, "aabbccddeeffgghhiillmmnno"
    };
    for (const auto& caso : casi) {
        const Modello modello = con_nomi(caso.treno, caso.linea);
        EXPECT_EQ(codice_gara_og(modello), caso.og) << caso.treno << caso.linea;
        EXPECT_EQ(codice_gara_st(modello), caso.st) << caso.treno << caso.linea;
    }
}

TEST(CodiciGara, IgnoreTheCaseOfTheLineAndEverythingAfterThe25thCharacter) {
    const std::string linea = "Metropolitana di Orvalla Linea A Corvesca-Sarvedano";
    const Modello base = con_nomi("54", linea);
    std::string dopo = linea;
    dopo[23] = 'X';  // the 26th character of "54" + linea
    std::string dentro = linea;
    dentro[22] = 'x';  // the 25th

    for (const Modello& uguale : {con_nomi("54", "METROPOLITANA DI ORVALLA LINEA A CORVESCA-SARVEDANO"),
                                  con_nomi("54", dopo)}) {
        EXPECT_EQ(codice_gara_og(uguale), codice_gara_og(base));
        EXPECT_EQ(codice_gara_st(uguale), codice_gara_st(base));
    }
    const Modello diverso = con_nomi("54", dentro);
    EXPECT_NE(codice_gara_og(diverso), codice_gara_og(base));
    EXPECT_NE(codice_gara_st(diverso), codice_gara_st(base));
}

TEST(FileCelle, FifteenBytesACellLittleEndianWithTheMarkersInCell1) {
    Modello modello = con_nomi("a", "bc");
    modello.celle.resize(3);
    Cella& cella = modello.celle[2];
    cella = {0x0C, 0x0102, -2, 0x0304, 0x7F00, 101, 81, 12, 13, 105, 0xFE};
    timbra(modello);
    const std::string file = byte_celle(modello);

    ASSERT_EQ(file.size(), 45u);
    EXPECT_TRUE(test::stessi_byte(std::string(15, '\0'), file.substr(0, 15)));
    // 5121 and 2546 (0x09F2).
    EXPECT_TRUE(test::stessi_byte(byte({0, 0x01, 0x14, 0xF2, 0x09, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                                  file.substr(15, 15)));
    EXPECT_TRUE(test::stessi_byte(
        byte({0x0C, 0x02, 0x01, 0xFE, 0xFF, 0x04, 0x03, 0x00, 0x7F, 101, 81, 12, 13, 105, 0xFE}),
        file.substr(30)));

}

TEST(FileCelle, HoldsEveryCellOfTheLine) {
    Modello modello;
    modello.celle.resize(static_cast<std::size_t>(ultima_cella_per(22500)) + 1);
    EXPECT_EQ(byte_celle(modello).size(), 8865u);
}

TEST(FileTabella, EntriesOf34BytesPlusTheirText) {
    Modello modello = con_nomi("54", "Linea");
    modello.celle.resize(2);
    Voce& stazione = modello.tabella[1];
    stazione = {5, 1000, -2, 0x01020304, 7, "Ab", 1, -1, 0x0203, 4, 5, 6, 7, 8, 9, 61200};
    timbra(modello);
    const std::string file = byte_tabella(modello);

    const std::size_t testi = 2 + 2 + 5;  // entries 1, 86 and 85
    ASSERT_EQ(file.size(), 87 * 34 + testi);
    EXPECT_TRUE(test::stessi_byte(std::string(34, '\0'), file.substr(0, 34)));
    EXPECT_TRUE(test::stessi_byte(
        byte({5,    0xE8, 0x03, 0,    0,    0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
              7,    2,    0,    'A',  'b',  1,    0,    0xFF, 0xFF, 0x03, 0x02, 4,    0,
              5,    0,    6,    7,    8,    9,    0x10, 0xEF, 0,    0}),
        file.substr(34, 36)));

    // Entry 85: its text, then the marker 610 and, 14 bytes on, the weighted check code.
    const std::size_t voce85 = 34 + 36 + 83 * 34;
    EXPECT_EQ(file.substr(voce85 + 14, 7), byte({5, 0, 'L', 'i', 'n', 'e', 'a'}));
    EXPECT_EQ(file.substr(voce85 + 21, 2), byte({0x62, 0x02}));
    const int32_t st = codice_gara_st(modello);
    EXPECT_EQ(file.substr(voce85 + 35, 4),
              byte({st & 0xFF, (st >> 8) & 0xFF, (st >> 16) & 0xFF, (st >> 24) & 0xFF}));
    EXPECT_EQ(file.substr(voce85 + 39 + 14), byte({2, 0, '5', '4'}) + std::string(18, '\0'));
}

// A plan laid as the line reader lays it: integers for metres 0 and 1,
// doubles up to M - 2, the last two metres empty.
std::vector<MetroPiano> metri_posati(std::size_t ultimo) {
    std::vector<MetroPiano> tracciato(ultimo + 1);
    tracciato[0] = {int16_t{0}, int16_t{0}};
    tracciato[1] = {int16_t{0}, int16_t{1}};
    for (std::size_t metro = 2; metro + 2 <= ultimo; ++metro) {
        tracciato[metro] = {0.0, static_cast<double>(metro)};
    }
    return tracciato;
}

Tracciato tracciato_posato(std::size_t ultimo) {
    return test::piano_di(metri_posati(ultimo));
}

TEST(FileTracciato, TaggedValuesCoordinate0ThenCoordinate1) {
    Modello modello;
    std::vector<MetroPiano> metri = metri_posati(5);
    metri[2] = {1.5, -2.0};
    modello.tracciato = test::piano_di(metri);
    const std::string file = byte_tracciato(modello);

    const std::string integers0 = byte({2, 0, 0, 0, 2, 0, 0, 0});
    const std::string integers1 = byte({2, 0, 0, 0, 2, 0, 1, 0});
    const std::string uno_e_mezzo = byte({5, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F});
    const std::string meno_due = byte({5, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0});
    const std::string zero = byte({5, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const std::string tre = byte({5, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x40});
    const std::string vuoti = byte({0, 0, 0, 0});
    EXPECT_TRUE(test::stessi_byte(integers0 + uno_e_mezzo + zero + vuoti + integers1 + meno_due + tre + vuoti,
                                  file));
}

TEST(FileTracciato, HoldsTheWholePlanOfTheLine) {
    Modello modello;
    modello.tracciato = tracciato_posato(29500);
    EXPECT_EQ(byte_tracciato(modello).size(), 589964u);
}

// A plan far larger than one piece of its writing, with values of every
// size, so that pieces end at every kind of place: no byte is lost or
// doubled where one piece ends and the next begins.
TEST(FileTracciato, ALongPlanIsTheSameAcrossPieceBoundaries) {
    Modello modello;
    const std::string sette = byte({2, 0, 7, 0});
    const std::string uno_e_mezzo = byte({5, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F});
    const std::string vuoto = byte({0, 0});
    std::string coordinata0;
    std::string coordinata1;
    for (int metro = 0; metro < 100000; ++metro) {
        if (metro % 2 == 0) {
            modello.tracciato.push_back({int16_t{7}, 1.5});
            coordinata0 += sette;
            coordinata1 += uno_e_mezzo;
        } else {
            modello.tracciato.push_back({1.5, std::monostate{}});
            coordinata0 += uno_e_mezzo;
            coordinata1 += vuoto;
        }
    }
    EXPECT_TRUE(test::stessi_byte(coordinata0 + coordinata1, byte_tracciato(modello)));
}

// A value as the plan file holds it, spelled out byte by byte: the tag 0, 2
// or 5, then nothing, a 16-bit integer or a double, little-endian.
std::string nel_file(const ValorePiano& valore) {
    std::string testo;
    const auto metti = [&testo](uint64_t bits, int quanti) {
        for (int i = 0; i < quanti; ++i) {
            testo.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
        }
    };
    if (const auto* intero = std::get_if<int16_t>(&valore)) {
        metti(2, 2);
        metti(static_cast<uint16_t>(*intero), 2);
    } else if (const auto* reale = std::get_if<double>(&valore)) {
        metti(5, 2);
        metti(std::bit_cast<uint64_t>(*reale), 8);
    } else {
        metti(0, 2);
    }
    return testo;
}

// Runs of computed values far longer than one piece of the writing, broken
// in either coordinate by integers and empty values, alone and in groups,
// at the start, in the middle and at the end: the file lists every value
// once, in order, and reads back as the same plan, which writes the same
// bytes again.
TEST(FileTracciato, LongRunsBrokenByOtherValuesAreWrittenAndReadBack) {
    constexpr int metri = 120000;
    const auto valore = [](int metro, int coordinata) -> ValorePiano {
        if (metro < 2 || (coordinata == 1 && metro >= 70000 && metro < 70010)) {
            return static_cast<int16_t>(metro % 1000 - coordinata);
        }
        if (metro >= metri - 2 || (coordinata == 0 && (metro == 30000 || metro == 30002))) {
            return std::monostate{};
        }
        return metro * 0.25 - coordinata * 1e6;
    };
    Modello modello;
    std::string atteso[2];
    for (int metro = 0; metro < metri; ++metro) {
        modello.tracciato.push_back({valore(metro, 0), valore(metro, 1)});
        for (const int coordinata : {0, 1}) {
            atteso[coordinata] += nel_file(valore(metro, coordinata));
        }
    }
    const std::string file = byte_tracciato(modello);
    EXPECT_TRUE(test::stessi_byte(atteso[0] + atteso[1], file));

    const Tracciato letto = tracciato_dai_byte(file);
    EXPECT_EQ(letto, modello.tracciato);
    EXPECT_EQ(letto[70005], (MetroPiano{0.25 * 70005, int16_t{4}}));
    EXPECT_EQ(letto[30002], (MetroPiano{std::monostate{}, 0.25 * 30002 - 1e6}));
    Modello riletto;
    riletto.tracciato = letto;
    EXPECT_TRUE(test::stessi_byte(file, byte_tracciato(riletto)));
}

// Each layout reads back the model it wrote, with every field at values
// that show its width and sign.
TEST(FileCompilati, EachLayoutReadsBackTheModelItWrote) {
    Modello modello;
    modello.celle = {Cella{},
                     {255, -32768, 32767, -1, 0x0102, 101, 84, 12, 255, 96, 0xFE},
                     {1, 42, 0, 0, 8, 0, 81, 3, 18, 105, 100}};
    EXPECT_TRUE(test::stesse_celle(modello.celle, celle_dai_byte(byte_celle(modello))));

    modello.tabella[1] = {24, -350, 350, 0, 255, "CORVESCA", -1, 2, 4, 1, 1, 0, 1, 255, 9, 61800};
    modello.tabella[2].nome = "VALCHIARA'";
    modello.tabella[80].nome = std::string("\x80\xFF,\"\0", 5);
    modello.tabella[84] = {0, 120, 22500, 4, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, -2147483647 - 1};
    EXPECT_EQ(tabella_dai_byte(byte_tabella(modello)), modello.tabella);

    std::vector<MetroPiano> metri = metri_posati(6);
    metri[2] = {-1802.1234567891234, 1e-300};
    metri[3] = {int16_t{-32768}, -0.0};
    modello.tracciato = test::piano_di(metri);
    EXPECT_EQ(tracciato_dai_byte(byte_tracciato(modello)), modello.tracciato);
    EXPECT_TRUE(tracciato_dai_byte("").empty());
}

// Bytes that do not follow the layout are reported with the byte where the
// value that cannot be read starts, its record and its field.
TEST(FileCompilati, BytesThatDoNotFollowTheLayoutAreReportedWhere) {
    using Difetto = compilato::FileNonValido::Difetto;
    Modello modello = con_nomi("54", "Linea");
    modello.celle.resize(3);
    modello.tabella[1].nome = "Ab";
    modello.tracciato = tracciato_posato(4);  // integers, integers, a double, empty, empty
    const std::string celle = byte_celle(modello);
    const std::string tabella = byte_tabella(modello);
    const std::string tracciato = byte_tracciato(modello);
    std::string etichetta_3 = tracciato;
    etichetta_3[4] = 3;

    struct Caso {
        const char* nome;
        std::function<void()> leggi;
        Difetto difetto;
        std::size_t byte;
        std::size_t record;
        std::string campo;
    };
    const Caso casi[] = {
        // 44 of 45 bytes: cell 2 lacks its last field.
        {"cells", [&] { celle_dai_byte(celle.substr(0, 44)); }, Difetto::finisce_presto, 44, 2,
         "aderenza"},
        // Entry 1 starts at 34, its text length at 48, its two letters at 50.
        {"table inside a text", [&] { tabella_dai_byte(tabella.substr(0, 51)); },
         Difetto::finisce_presto, 48, 1, "nome"},
        {"table of 86 entries", [&] { tabella_dai_byte(tabella.substr(0, tabella.size() - 36)); },
         Difetto::finisce_presto, tabella.size() - 36, 86, "tipo"},
        {"table with a byte more", [&] { tabella_dai_byte(tabella + '\0'); }, Difetto::byte_in_piu,
         tabella.size(), 87, ""},
        // Coordinate 0: two integers of 4 bytes, a double of 10, an empty value.
        {"plan inside a double", [&] { tracciato_dai_byte(tracciato.substr(0, 17)); },
         Difetto::finisce_presto, 8, 2, "valore"},
        {"plan with an unknown tag", [&] { tracciato_dai_byte(etichetta_3); },
         Difetto::etichetta_sconosciuta, 4, 1, "valore"},
        {"plan with an odd count", [&] { tracciato_dai_byte(tracciato.substr(0, 18)); },
         Difetto::elementi_dispari, 18, 3, ""},
    };
    for (const Caso& caso : casi) {
        try {
            caso.leggi();
            ADD_FAILURE() << caso.nome << ": read without a complaint";
        } catch (const compilato::FileNonValido& errore) {
            EXPECT_EQ(errore.difetto(), caso.difetto) << caso.nome;
            EXPECT_EQ(errore.byte(), caso.byte) << caso.nome;
            EXPECT_EQ(errore.record(), caso.record) << caso.nome;
            EXPECT_EQ(errore.campo(), caso.campo) << caso.nome;
        }
    }
}

class ScritturaCompilati : public ::testing::Test {
protected:
    ScritturaCompilati() {
        modello.linea = "L";
        modello.treno = "7";
        modello.celle.resize(3);
        modello.tracciato = tracciato_posato(4);
        modello.con_tracciato = 1;
    }

    void vecchi_file() {
        for (const auto& nome : nomi) {
            cartella.replace(nome, std::string(100000, 'x'));
        }
    }

    Modello modello;
    platform::MemoryFolder cartella;
    const Identita id{"L", "7"};
    const std::vector<std::string> nomi{nome_piano_compilato(id), nome_tabella_compilata(id),
                                        nome_celle_compilate(id)};
};

TEST_F(ScritturaCompilati, ReplacesEachFileWhole) {
    vecchi_file();
    scrivi_file_compilati(modello, cartella);
    EXPECT_EQ(cartella.read(nomi[0]), byte_tracciato(modello));
    EXPECT_EQ(cartella.read(nomi[1]), byte_tabella(modello));
    EXPECT_EQ(cartella.read(nomi[2]), byte_celle(modello));
    EXPECT_EQ(cartella.read(nomi[2]).size(), 45u);
    EXPECT_EQ(cartella.files().size(), 3u);
}

TEST_F(ScritturaCompilati, WithoutThePlanLeavesAnExistingPlanFileAlone) {
    cartella.replace(nomi[0], "vecchio");
    modello.con_tracciato = 0;
    scrivi_file_compilati(modello, cartella);
    EXPECT_EQ(cartella.read(nomi[0]), "vecchio");
    EXPECT_TRUE(cartella.exists(nomi[2]));

    platform::MemoryFolder vuota;
    modello = Modello{};
    modello.celle.resize(2);
    scrivi_file_compilati(modello, vuota);
    EXPECT_EQ(vuota.files().size(), 2u);
}

TEST_F(ScritturaCompilati, WritesPlanThenTableThenCells) {
    for (std::size_t guasto = 0; guasto < nomi.size(); ++guasto) {
        vecchi_file();
        cartella.fail_next(platform::MemoryFolder::Operation::replace, nomi[guasto]);
        Modello copia = modello;
        EXPECT_THROW(scrivi_file_compilati(copia, cartella), platform::FileError);
        for (std::size_t i = 0; i < nomi.size(); ++i) {
            EXPECT_EQ(cartella.read(nomi[i]).size() == 100000, i >= guasto) << nomi[i];
        }
    }
}

TEST_F(ScritturaCompilati, ABusySlotStopsTheRunBeforeAnyFile) {
    struct Caso {
        const char* codice;
        void (*occupa)(Modello&);
    };
    const Caso casi[] = {
        {"1250", [](Modello& m) { m.tabella[voce::sfondi].valore1 = 1; }},
        {"1250", [](Modello& m) { m.celle[1].dato1 = 180; }},
        {"1251", [](Modello& m) { m.tabella[voce::sfondi].orario = 1; }},
        {"1251", [](Modello& m) { m.celle[1].dato2 = -1; }},
    };
    for (const auto& caso : casi) {
        vecchi_file();
        Modello copia = modello;
        caso.occupa(copia);
        try {
            scrivi_file_compilati(copia, cartella);
            ADD_FAILURE() << "no fatal error " << caso.codice;
        } catch (const ErroreFatale& fatale) {
            EXPECT_EQ(fatale.codice(), caso.codice);
        }
        for (const auto& nome : nomi) {
            EXPECT_EQ(cartella.read(nome), std::string(100000, 'x')) << caso.codice << " " << nome;
        }
    }
}

}  // namespace
}  // namespace scenario
