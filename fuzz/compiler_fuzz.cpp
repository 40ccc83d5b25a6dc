// Fuzz target: a pair of descriptions through the whole compiler (readers,
// placement, code-change pass, stamping and compiled files), in a folder
// held in memory.
//
// Input layout: the first byte chooses the run flag (`con_tracciato` is its
// lowest bit, so "1" asks for the plan and "0" does not); the rest is the
// line description up to the first NUL byte, then the train description.
// Without a NUL byte there is no train description file at all.
//
// Outcomes that are not findings: a normal end with any known code; the
// fatal "1250"/"1251" (ErroreFatale) with no compiled file written; "no
// cells" (SenzaCelle) with a known code and no compiled file written. Any
// other exception leaving `memorizza_percorso` is a finding.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "compiler/compiled_files.h"
#include "compiler/compiler.h"
#include "description/file_names.h"
#include "fuzz/invariant.h"
#include "platform/memory_folder.h"

namespace scenario::fuzz {
namespace {

bool codice_noto(int32_t codice) {
    return std::find(codice::tutti.begin(), codice::tutti.end(), codice) != codice::tutti.end();
}

bool nessun_compilato(const platform::MemoryFolder& cartella, const Identita& id) {
    return !cartella.exists(nome_piano_compilato(id)) &&
           !cartella.exists(nome_tabella_compilata(id)) && !cartella.exists(nome_celle_compilate(id));
}

// Nothing but the two descriptions and the three compiled files is ever
// in the folder.
void solo_file_attesi(const platform::MemoryFolder& cartella, const Identita& id) {
    for (const auto& [nome, contenuto] : cartella.files()) {
        verifica(nome == nome_descrizione_linea(id) || nome == nome_descrizione_treno(id) ||
                     nome == nome_piano_compilato(id) || nome == nome_tabella_compilata(id) ||
                     nome == nome_celle_compilate(id),
                 "unexpected file \"" + nome + "\" in the folder");
    }
}

// A compiled file read back with the compiler's own reader of its layout.
template <class Leggi>
auto riletto(std::string_view byte, Leggi leggi, const char* file) {
    try {
        return leggi(byte);
    } catch (const std::exception& guasto) {
        violato(std::string(file) + " file unreadable: " + guasto.what());
    }
}

// The compiled files of a run that ended normally.
void verifica_compilati(const Modello& modello, const platform::MemoryFolder& cartella,
                        const Identita& id) {
    verifica(codice_noto(modello.codice_errore),
             "unknown code " + std::to_string(modello.codice_errore));
    verifica(!modello.celle.empty(), "compiled without cells");
    const std::size_t celle = modello.celle.size();
    verifica(cartella.exists(nome_celle_compilate(id)), "no cell file");
    verifica(cartella.files().at(nome_celle_compilate(id)).size() == 15 * celle,
             "cell file is not 15 x (N + 1) bytes");
    verifica(riletto(cartella.files().at(nome_celle_compilate(id)), celle_dai_byte, "cell") ==
                 modello.celle,
             "cell file does not read back as the cells");
    verifica(cartella.exists(nome_tabella_compilata(id)), "no table file");
    verifica(riletto(cartella.files().at(nome_tabella_compilata(id)), tabella_dai_byte, "table") ==
                 modello.tabella,
             "table file does not read back as the table");

    // The length that sized the cells is the one in entry 84, unless a
    // later length line was refused (code 1) after the cells were made.
    const int32_t lunghezza = modello.tabella[voce::treno_e_linea].fine;
    const bool lunghezza_valida = modello.codice_errore != codice::lunghezza_eccessiva;
    if (lunghezza_valida) {
        verifica(modello.ultima_cella() == ultima_cella_per(lunghezza),
                 "N is not nearest((L + 7000) / 50)");
    }
    if (modello.con_tracciato == 0) {
        verifica(!cartella.exists(nome_piano_compilato(id)), "plan written without the flag");
        return;
    }
    verifica(cartella.exists(nome_piano_compilato(id)), "no plan file");
    const std::size_t metri =
        riletto(cartella.files().at(nome_piano_compilato(id)), tracciato_dai_byte, "plan").size();
    verifica(metri == modello.tracciato.size(), "plan file is not 2 values per metre");
    if (lunghezza_valida) {
        verifica(metri == static_cast<std::size_t>(lunghezza) + 7001,
                 "plan file is not 2 x (L + 7001) values");
    }
}

}  // namespace

void prova(uint8_t scelta, std::string_view resto) {
    const int32_t con_tracciato = scelta & 1;
    const std::size_t taglio = resto.find('\0');

    const Identita id = identita_scenario();
    platform::MemoryFolder cartella;
    cartella.replace(nome_descrizione_linea(id), resto.substr(0, taglio));
    if (taglio != std::string_view::npos) {
        cartella.replace(nome_descrizione_treno(id), resto.substr(taglio + 1));
    }
    Modello modello;
    modello.linea = id.linea;
    modello.treno = id.treno;
    try {
        memorizza_percorso(modello, cartella, con_tracciato);
        verifica_compilati(modello, cartella, id);
    } catch (const ErroreFatale& fatale) {
        verifica(fatale.codice() == "1250" || fatale.codice() == "1251",
                 "fatal code " + fatale.codice());
        verifica(nessun_compilato(cartella, id), "compiled file written before a fatal error");
    } catch (const SenzaCelle& vuoto) {
        verifica(codice_noto(vuoto.codice()),
                 "unknown code " + std::to_string(vuoto.codice()));
        verifica(modello.celle.empty(), "\"no cells\" with cells");
        verifica(nessun_compilato(cartella, id), "compiled file written without cells");
    } catch (const std::exception& fuga) {
        violato(std::string("exception escaped the compiler: ") + fuga.what());
    }
    solo_file_attesi(cartella, id);
    // The line description is always read and deleted, except after 101.
    verifica(!cartella.exists(nome_descrizione_linea(id)), "line description left in the folder");
}

}  // namespace scenario::fuzz
