#pragma once
// What the tests of the author's tool share: the tool called in-process as
// its program calls it, and this scenario's descriptions as the program's
// writers write them.

#include <sstream>
#include <string>
#include <vector>

#include "author/tool.h"
#include "description/file_names.h"
#include "description/scenario_content.h"
#include "platform/memory_folder.h"

namespace scenario::test {

struct Esito {
    int stato;
    std::string uscita;
    std::string errori;
};

inline Esito strumento(const std::vector<std::string>& argomenti) {
    std::ostringstream uscita;
    std::ostringstream errori;
    const int stato = autore::esegui(argomenti, uscita, errori);
    return {stato, uscita.str(), errori.str()};
}

struct Descrizioni {
    std::string linea;
    std::string treno;
};

inline Descrizioni descrizioni_scenario() {
    platform::MemoryFolder cartella;
    const Identita id = identita_scenario();
    dati_linea(cartella, id);
    dati_treno(cartella, id);
    return {cartella.read(nome_descrizione_linea(id)), cartella.read(nome_descrizione_treno(id))};
}

}  // namespace scenario::test
