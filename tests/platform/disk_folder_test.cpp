#include "platform/disk_folder.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace scenario::platform {
namespace {

TEST(DiskFolder, ReadsReplacesAndRemovesFilesByName) {
    test::CartellaTemporanea temporanea;
    DiskFolder cartella(temporanea.percorso());
    EXPECT_EQ(cartella.path_of("a b.txt"), (temporanea.percorso() / "a b.txt").string());

    EXPECT_FALSE(cartella.exists("a b.txt"));
    cartella.replace("a b.txt", std::string("uno\0due", 7));
    EXPECT_TRUE(cartella.exists("a b.txt"));
    EXPECT_EQ(cartella.read("a b.txt"), std::string("uno\0due", 7));

    cartella.replace("a b.txt", "");
    EXPECT_EQ(test::leggi(temporanea / "a b.txt"), "");

    cartella.remove("a b.txt");
    EXPECT_FALSE(cartella.exists("a b.txt"));
    EXPECT_THROW(cartella.remove("a b.txt"), FileError);
    EXPECT_THROW(cartella.read("a b.txt"), FileError);
}

TEST(DiskFolder, NamesAreUtf8) {
    test::CartellaTemporanea temporanea;
    DiskFolder cartella(temporanea.percorso());
    const std::string nome = "citt\xC3\xA0 \xE2\x82\xAC.txt";  // a-grave, space, euro sign

    cartella.replace(nome, "x");

    EXPECT_TRUE(std::filesystem::exists(temporanea.percorso() / std::u8string(u8"citt\u00E0 \u20AC.txt")));
    EXPECT_TRUE(cartella.exists(nome));
    EXPECT_EQ(cartella.read(nome), "x");
    EXPECT_EQ(cartella.path_of(nome).substr(cartella.path_of(nome).size() - nome.size()), nome);
}

TEST(DiskFolder, AFailedReplaceLeavesNothingBehind) {
    test::CartellaTemporanea temporanea;
    // A folder in place of the target: the new content cannot take its name.
    std::filesystem::create_directory(temporanea / "occupato");
    DiskFolder cartella(temporanea.percorso());
    try {
        cartella.replace("occupato", "dati");
        FAIL() << "replace over a folder succeeded";
    } catch (const FileError& errore) {
        EXPECT_EQ(errore.operation(), "replace");
        EXPECT_EQ(errore.path(), (temporanea / "occupato").string());
        EXPECT_FALSE(errore.reason().empty());
    }
    std::size_t voci = 0;
    for ([[maybe_unused]] const auto& voce : std::filesystem::directory_iterator(temporanea.percorso())) {
        ++voci;
    }
    EXPECT_EQ(voci, 1u);
}

TEST(DiskFolder, AMissingFolderIsAFailureOfTheFirstWrite) {
    test::CartellaTemporanea temporanea;
    DiskFolder cartella(temporanea / "non esiste");
    EXPECT_THROW(cartella.replace("f.txt", "x"), FileError);
    EXPECT_FALSE(std::filesystem::exists(temporanea / "non esiste"));
}

TEST(DiskFolder, TheProgramFolderHoldsTheRunningProgram) {
    const auto cartella = program_folder();
    EXPECT_TRUE(cartella.is_absolute());
    EXPECT_TRUE(std::filesystem::is_directory(cartella));
}

}  // namespace
}  // namespace scenario::platform
