#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/disk_folder.h"
#include "platform/memory_folder.h"
#include "tests/support/test_support.h"

namespace scenario::platform {
namespace {

const std::string vecchio = "vecchio";

// A content made in parts is the parts in order; a producer that gives up
// half-way leaves the file as it was.
void sostituisce_per_parti(Folder& cartella) {
    cartella.replace("piano.dat", vecchio);

    EXPECT_THROW(cartella.replace_parts("piano.dat",
                                        [](const Folder::Parte& parte) {
                                            parte("mezzo");
                                            throw std::runtime_error("interrotto");
                                        }),
                 std::runtime_error);
    EXPECT_EQ(cartella.read("piano.dat"), vecchio);

    cartella.replace_parts("piano.dat", [](const Folder::Parte& parte) {
        parte("uno");
        parte("");
        parte(std::string("\0due", 4));
    });
    EXPECT_EQ(cartella.read("piano.dat"), std::string("uno\0due", 7));
}

TEST(ReplaceParts, DiskFolderKeepsTheOldFileAndNoTemporaryWhenTheProducerThrows) {
    test::CartellaTemporanea temporanea;
    DiskFolder cartella(temporanea.percorso());
    sostituisce_per_parti(cartella);
    std::size_t voci = 0;
    for ([[maybe_unused]] const auto& voce : std::filesystem::directory_iterator(temporanea.percorso())) {
        ++voci;
    }
    EXPECT_EQ(voci, 1u);
}

TEST(ReplaceParts, MemoryFolderKeepsTheOldFileWhenTheProducerThrows) {
    MemoryFolder cartella;
    sostituisce_per_parti(cartella);
    EXPECT_EQ(cartella.files().size(), 1u);
}

}  // namespace
}  // namespace scenario::platform
