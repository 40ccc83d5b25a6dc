#include "launcher/run.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Avvia, ShowsTheWindowThenWritesAndCompilesTheDescriptions) {
    platform::MemoryFolder cartella;
    FinestraDiProva finestra;
    EXPECT_EQ(avvia(finestra, cartella), uscita::normale);
    EXPECT_EQ(finestra.eventi, std::vector<std::string>{"mostra"});
    // The compiler has read both descriptions and deleted them.
    const Identita id = identita_scenario();
    EXPECT_FALSE(cartella.exists(nome_descrizione_linea(id)));
    EXPECT_FALSE(cartella.exists(nome_descrizione_treno(id)));
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

// A folder in which one file gets other content as it is written.
class CartellaCheSostituisce final : public platform::Folder {
public:
    CartellaCheSostituisce(std::string sostituito, std::string contenuto)
        : sostituito_(std::move(sostituito)), contenuto_(std::move(contenuto)) {}
    std::string path_of(std::string_view nome) const override { return dentro.path_of(nome); }
    bool exists(std::string_view nome) const override { return dentro.exists(nome); }
    void remove(std::string_view nome) override { dentro.remove(nome); }
    std::string read(std::string_view nome) const override { return dentro.read(nome); }
    void replace_parts(std::string_view nome, const Produttore& produce) override {
        if (nome == sostituito_) {
            dentro.replace(nome, contenuto_);
        } else {
            dentro.replace_parts(nome, produce);
        }
    }

    platform::MemoryFolder dentro;

private:
    std::string sostituito_;
    std::string contenuto_;
};

TEST(Avvia, DescriptionsWithoutCellsEndTheRunWithStatus3AndNoCompiledFile) {
    const Identita id = identita_scenario();
    CartellaCheSostituisce cartella(nome_descrizione_linea(id), "");
    FinestraDiProva finestra;

    EXPECT_EQ(avvia(finestra, cartella), uscita::senza_celle);

    EXPECT_EQ(finestra.eventi, (std::vector<std::string>{"mostra", "guasto:Nessuna cella: codice 25"}));
    for (const auto& nome : {nome_piano_compilato(id), nome_tabella_compilata(id), nome_celle_compilate(id)}) {
        EXPECT_FALSE(cartella.exists(nome)) << nome;
    }
    EXPECT_TRUE(cartella.exists(nome_scheda_treno(id)));
}

// Signals on cells 2 and 3 leave the first look-back window of a slowdown
// starting on cell 8 only cell 1, where the pass places a code change: the
// marker slot is taken and the run stops before any compiled file.
TEST(Avvia, AFatalErrorIsShownAndEndsTheRunWithStatus1) {
    const Identita id = identita_scenario();
    CartellaCheSostituisce cartella(nome_descrizione_treno(id),
                                    "[generale]\r\n"
                                    "segnale,  50, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"
                                    "segnale, 100, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"
                                    "rallentamento, 350, 60, 500, 1, 0, 0\r\n"
                                    "[fine]\r\n");
    FinestraDiProva finestra;

    EXPECT_EQ(avvia(finestra, cartella), uscita::errore_fatale);

    EXPECT_EQ(finestra.eventi, (std::vector<std::string>{"mostra", "errore: Errore n. 1250"}));
    for (const auto& nome : {nome_piano_compilato(id), nome_tabella_compilata(id), nome_celle_compilate(id)}) {
        EXPECT_FALSE(cartella.exists(nome)) << nome;
    }
}

// The files in the order the run writes them: a failure on one leaves
// exactly the ones before it.
TEST(EseguiSequenza, WritesTheDescriptionsThenNotesFormAndSheet) {
    const Identita id = identita_scenario();
    const std::vector<std::string> ordine{nome_descrizione_linea(id), nome_descrizione_treno(id), nome_note(id),
                                          nome_rallentamenti(id), nome_scheda_treno(id)};
    for (std::size_t guasto = 0; guasto < ordine.size(); ++guasto) {
        platform::MemoryFolder cartella;
        cartella.fail_next(platform::MemoryFolder::Operation::replace, ordine[guasto]);
        EXPECT_THROW(esegui_sequenza(cartella, id), platform::FileError);
        std::vector<std::string> scritti;
        for (const auto& [nome, byte] : cartella.files()) {
            scritti.push_back(nome);
        }
        std::vector<std::string> attesi(ordine.begin(), ordine.begin() + static_cast<std::ptrdiff_t>(guasto));
        std::sort(attesi.begin(), attesi.end());
        EXPECT_EQ(scritti, attesi) << "failure on " << ordine[guasto];
    }
}

TEST(Errore, TheMessageStartsWithASpace) {
    EXPECT_EQ(testo_errore("1250"), " Errore n. 1250");
    EXPECT_EQ(testo_errore("1251"), " Errore n. 1251");
}

}  // namespace
}  // namespace scenario
