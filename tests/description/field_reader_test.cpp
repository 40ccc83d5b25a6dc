#include "description/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_folder.h"

namespace scenario {
namespace {

// One read of each kind, its value written out as text: 't' a text field,
// 'b' an unsigned 8-bit, 'h' a signed 16-bit, 'i' a signed 32-bit number.
std::string leggi(LettoreCampi& campi, char tipo) {
    switch (tipo) {
        case 't':
            return campi.testo();
        case 'b':
            return std::to_string(campi.intero8());
        case 'h':
            return std::to_string(campi.intero16());
        default:
            return std::to_string(campi.intero32());
    }
}

TEST(LettoreCampi, ReadsFieldsAsTheGrammarSays) {
    struct Caso {
        const char* dati;
        const char* letture;
        std::vector<std::string> attesi;
    };
    const Caso casi[] = {
        // Blanks before a number and after it up to the comma are one delimiter.
        {"ripetizione segnali 4 codici,    0    ,0\r\n", "tii",
         {"ripetizione segnali 4 codici", "0", "0"}},
        // A number also ends at a blank: numbers separated by blanks alone.
        {"orologio,    17              10            0 \r\n", "thhh", {"orologio", "17", "10", "0"}},
        {"17,10,0\r\n", "hhh", {"17", "10", "0"}},
        {"12 abc\r\n", "it", {"12", "abc"}},
        // A text field keeps its inner and trailing blanks and apostrophes.
        {"  MARCO TESSITORE  ,VALCHIARA'\r\n", "tt", {"MARCO TESSITORE  ", "VALCHIARA'"}},
        // Line ends: CR LF, a lone CR, a lone LF; an empty line is one empty field.
        {"a\rb\nc\r\n\r\nd", "ttttt", {"a", "b", "c", "", "d"}},
        {"5,\r\n7\r\n", "iii", {"5", "0", "7"}},
        // Text that is not a whole number reads as 0.
        {"1.5,12abc,1e3,,abc,+7,-0\r\n", "iiiiiii", {"0", "0", "0", "0", "0", "7", "0"}},
        // The widths at their limits.
        {"255,0,-32768,32767,-2147483648,2147483647", "bbhhii",
         {"255", "0", "-32768", "32767", "-2147483648", "2147483647"}},
        {"-0000000000000000000001", "i", {"-1"}},
    };
    for (const auto& caso : casi) {
        LettoreCampi campi{std::string(caso.dati)};
        std::vector<std::string> letti;
        for (const char* tipo = caso.letture; *tipo != '\0'; ++tipo) {
            letti.push_back(leggi(campi, *tipo));
        }
        EXPECT_EQ(letti, caso.attesi) << caso.dati;
        EXPECT_TRUE(campi.fine()) << caso.dati;
    }
}

TEST(LettoreCampi, AReadThatCannotBeDoneIsAReadingFailure) {
    struct Caso {
        const char* dati;
        const char* letture;  // the last one fails
    };
    const Caso casi[] = {
        {"", "t"},          {"", "i"},          {"a\r\n", "tt"},
        {"256", "b"},       {"-1", "b"},        {"32768", "h"},
        {"-32769", "h"},    {"2147483648", "i"}, {"-2147483649", "i"},
        {"99999999999999999999999", "i"},
    };
    for (const auto& caso : casi) {
        LettoreCampi campi{std::string(caso.dati)};
        const std::string letture = caso.letture;
        for (std::size_t i = 0; i + 1 < letture.size(); ++i) {
            leggi(campi, letture[i]);
        }
        EXPECT_THROW(leggi(campi, letture.back()), ErroreLettura) << caso.dati;
    }
}

TEST(LettoreCampi, EndOfFileComesRightAfterTheLastFieldAndItsLineEnd) {
    LettoreCampi campi{std::string("[generale]\r\nfine")};
    EXPECT_FALSE(campi.fine());
    EXPECT_EQ(campi.testo(), "[generale]");
    EXPECT_FALSE(campi.fine());
    EXPECT_EQ(campi.testo(), "fine");
    EXPECT_TRUE(campi.fine());

    // Trailing blanks are still a field to read.
    LettoreCampi con_spazi{std::string("1\r\n  ")};
    EXPECT_EQ(con_spazi.intero32(), 1);
    EXPECT_FALSE(con_spazi.fine());
    EXPECT_EQ(con_spazi.intero32(), 0);
    EXPECT_TRUE(con_spazi.fine());
}

TEST(LettoreCampi, RemembersTheLineOfTheFieldLastRead) {
    LettoreCampi campi{std::string("a, 1\r\n\r\nb\nc,\r\n   d")};
    const int32_t attese[] = {1, 1, 2, 3, 4, 4, 5};
    for (int32_t riga : attese) {
        campi.testo();
        EXPECT_EQ(campi.numero_riga(), riga);
    }
}

TEST(LettoreCampi, ReadsAFileOfTheFolderWholeAndFailsOnAMissingOne) {
    platform::MemoryFolder cartella;
    cartella.replace("linea.txt", "pendenza,  3000,   3\r\n");
    LettoreCampi campi(cartella, "linea.txt");
    EXPECT_EQ(campi.testo(), "pendenza");
    EXPECT_EQ(campi.intero32(), 3000);
    EXPECT_EQ(campi.intero32(), 3);
    EXPECT_TRUE(campi.fine());

    EXPECT_THROW(LettoreCampi(cartella, "treno.txt"), ErroreLettura);
    cartella.fail_next(platform::MemoryFolder::Operation::read, "linea.txt");
    EXPECT_THROW(LettoreCampi(cartella, "linea.txt"), ErroreLettura);
}

TEST(ParoleChiave, AreFoundAnywhereIgnoringCaseUnlessExact) {
    EXPECT_TRUE(contiene("Lunghezza Percorso", "lunghezza"));
    EXPECT_TRUE(contiene("cartello_INDICATORE", "indicat"));
    EXPECT_FALSE(contiene("[segnali]", "segnale"));
    EXPECT_TRUE(contiene_esatto("progressiva chilometrica tre", "progressiva"));
    EXPECT_FALSE(contiene_esatto("Progressiva chilometrica tre", "progressiva"));
}

}  // namespace
}  // namespace scenario
