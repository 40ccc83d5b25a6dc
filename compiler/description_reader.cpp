#include "compiler/description_reader.h"

#include "description/field_reader.h"
#include "description/file_names.h"

namespace scenario {

namespace {
void cancella_se_esiste(platform::Folder& cartella, const std::string& nome) {
    if (cartella.exists(nome)) {
        cartella.remove(nome);
    }
}
}  // namespace

void memorizza_dati(Modello& modello, platform::Folder& cartella) {
    try {
        int32_t prossimo_cartello = voce::primo_cartello;
        if (memorizza_linea(modello, cartella, prossimo_cartello)) {
            memorizza_treno(modello, cartella, prossimo_cartello);
        }
    } catch (const ErroreLettura&) {
        // A description that cannot be read: whatever was laid stays, both
        // files go (each reader has already released its file).
        const Identita id{modello.linea, modello.treno};
        cancella_se_esiste(cartella, nome_descrizione_linea(id));
        cancella_se_esiste(cartella, nome_descrizione_treno(id));
        registra_errore(modello, codice::lettura_fallita);
    }
    // What comes after the readers belongs to no description line.
    modello.sorgente = {};
}

}  // namespace scenario
