#include "compiler/compiler.h"

#include "compiler/description_reader.h"

namespace scenario {

void memorizza_percorso(Modello& modello, platform::Folder& cartella, int32_t j) {
    modello.con_tracciato = j;
    modello.codice_errore = codice::nessuno;
    modello.tabella.fill(Voce{});
    memorizza_dati(modello, cartella);
}

}  // namespace scenario
