#include "compiler/compiler.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "description/file_names.h"
#include "platform/memory_folder.h"

namespace scenario {
namespace {

std::string testo(const std::vector<std::string>& righe) {
    std::string bytes;
    for (const auto& riga : righe) {
        bytes += riga + "\r\n";
    }
    return bytes;
}

TEST(MemorizzaPercorso, WithoutCellsWritesNoCompiledFileAndNamesTheCode) {
    struct Caso {
        std::optional<std::string> linea;
        int32_t codice;
    };
    const Caso casi[] = {
        {std::nullopt, codice::linea_mancante},
        {testo({"[curve]", "[fine]"}), codice::generale_mancante},
        {testo({"[generale]", "lunghezza percorso,  1000001", "[fine]"}), codice::lunghezza_eccessiva},
        {testo({"[generale]", "lunghezza percorso,  99999999999", "[fine]"}), codice::lettura_fallita},
    };
    const Identita id{"L", "7"};
    const std::vector<std::string> compilati{nome_piano_compilato(id), nome_tabella_compilata(id),
                                             nome_celle_compilate(id)};
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.codice);
        platform::MemoryFolder cartella;
        for (const auto& nome : compilati) {
            cartella.replace(nome, "vecchio " + nome);
        }
        if (caso.linea) {
            cartella.replace(nome_descrizione_linea(id), *caso.linea);
        }
        cartella.replace(nome_descrizione_treno(id), testo({"[generale]", "[fine]"}));
        Modello modello;
        modello.linea = id.linea;
        modello.treno = id.treno;

        try {
            memorizza_percorso(modello, cartella, 1);
            ADD_FAILURE() << "the run went on without cells";
        } catch (const SenzaCelle& vuoto) {
            EXPECT_EQ(vuoto.codice(), caso.codice);
            EXPECT_EQ(std::string(vuoto.what()), "Nessuna cella: codice " + std::to_string(caso.codice));
        }
        for (const auto& nome : compilati) {
            EXPECT_EQ(cartella.read(nome), "vecchio " + nome);
        }
    }
}

}  // namespace
}  // namespace scenario
