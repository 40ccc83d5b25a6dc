#include "launcher/run.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/memory_folder.h"

namespace scenario {
namespace {

// Records what the program would have shown.
class FinestraDiProva final : public Finestra {
public:
    void mostra() override { eventi.push_back("mostra"); }
    void errore(const std::string& testo) override { eventi.push_back("errore:" + testo); }
    void guasto(const std::string& testo) override { eventi.push_back("guasto:" + testo); }
    std::vector<std::string> eventi;
};

TEST(Avvia, ShowsTheWindowThenWritesTheRunsFiles) {
    platform::MemoryFolder cartella;
    FinestraDiProva finestra;
    EXPECT_EQ(avvia(finestra, cartella), uscita::normale);
    EXPECT_EQ(finestra.eventi, std::vector<std::string>{"mostra"});
    EXPECT_FALSE(cartella.files().empty());
}

TEST(Avvia, AFailedWriteIsReportedAndEndsTheRun) {
    const Identita id = identita_scenario();
    platform::MemoryFolder cartella;
    cartella.fail_next(platform::MemoryFolder::Operation::replace, nome_descrizione_treno(id));
    FinestraDiProva finestra;

    EXPECT_EQ(avvia(finestra, cartella), uscita::guasto);

    ASSERT_EQ(finestra.eventi.size(), 2u);
    EXPECT_EQ(finestra.eventi[1],
              "guasto:Impossibile completare l'operazione \"write\" sul file \"" +
                  nome_descrizione_treno(id) + "\": injected failure");
    // The file written before the failure stays; nothing after it is written.
    EXPECT_TRUE(cartella.exists(nome_descrizione_linea(id)));
    EXPECT_EQ(cartella.files().size(), 1u);
}

TEST(Errore, TheMessageStartsWithASpace) {
    EXPECT_EQ(testo_errore("1250"), " Errore n. 1250");
    EXPECT_EQ(testo_errore("1251"), " Errore n. 1251");
}

}  // namespace
}  // namespace scenario
