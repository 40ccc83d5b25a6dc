#include "compiler/compiler.h"

#include "compiler/code_change_pass.h"
#include "compiler/compiled_files.h"
#include "compiler/description_reader.h"

namespace scenario {

void memorizza_percorso(Modello& modello, platform::Folder& cartella, int32_t j) {
    modello.con_tracciato = j;
    modello.codice_errore = codice::nessuno;
    modello.segnalazioni.clear();
    modello.tabella.fill(Voce{});
    memorizza_dati(modello, cartella);
    if (modello.celle.empty()) {
        throw SenzaCelle(modello.codice_errore);
    }
    passa_cambi_codice(modello);
    scrivi_file_compilati(modello, cartella);
}

}  // namespace scenario
