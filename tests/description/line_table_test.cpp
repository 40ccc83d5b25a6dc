#include "description/line_table.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/disk_folder.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

TEST(TabellaRighe, EveryLineEndsInCrLfAndTheMarkerIsNeverWritten) {
    constexpr std::array<std::string_view, 4> righe{"uno", "due ", "", fine_del_file};
    EXPECT_EQ(testo_righe(righe), "uno\r\ndue \r\n\r\n");
    constexpr std::array<std::string_view, 1> vuota{fine_del_file};
    EXPECT_EQ(testo_righe(vuota), "");
}

TEST(TabellaRighe, OnlyTheExactMarkerStopsTheWriting) {
    constexpr std::array<std::string_view, 6> righe{
        "prima", "Riferimento fine del file", "riferimento  fine del file", " riferimento fine del file",
        fine_del_file, "mai scritta"};
    EXPECT_EQ(testo_righe(righe),
              "prima\r\nRiferimento fine del file\r\nriferimento  fine del file\r\n"
              " riferimento fine del file\r\n");
}

TEST(TabellaRighe, ReplacesALongerFileWhole) {
    test::CartellaTemporanea temporanea;
    test::scrivi(temporanea / "f.txt", std::string(10000, 'x'));
    platform::DiskFolder cartella(temporanea.percorso());

    constexpr std::array<std::string_view, 2> righe{"nuova", fine_del_file};
    scrivi_righe(cartella, "f.txt", righe);

    EXPECT_EQ(test::leggi(temporanea / "f.txt"), "nuova\r\n");
}

}  // namespace
}  // namespace scenario
