#include "launcher/run.h"

#include <exception>

#include "compiler/compiler.h"
#include "description/scenario_content.h"
#include "documents/slow_order.h"
#include "documents/train_sheet.h"

namespace scenario {

std::string testo_errore(std::string_view codice) {
    return " Errore n. " + std::string(codice);
}

std::string testo_guasto(const std::exception& failure) {
    if (const auto* file = dynamic_cast<const platform::FileError*>(&failure)) {
        return "Impossibile completare l'operazione \"" + file->operation() + "\" sul file \"" +
               file->path() + "\": " + file->reason();
    }
    return std::string("Errore imprevisto: ") + failure.what();
}

void esegui_sequenza(platform::Folder& cartella, const Identita& id) {
    dati_linea(cartella, id);
    dati_treno(cartella, id);
    dati_note(cartella, id);
    dati_rallentamenti(cartella, id);
    dati_scheda(cartella, id);
    Modello modello;
    modello.linea = id.linea;
    modello.treno = id.treno;
    memorizza_percorso(modello, cartella, 1);
}

int avvia(Finestra& finestra, platform::Folder& cartella) {
    const Identita id = identita_scenario();
    finestra.mostra();
    try {
        esegui_sequenza(cartella, id);
        return uscita::normale;
    } catch (const ErroreFatale& fatale) {
        finestra.errore(testo_errore(fatale.codice()));
        return uscita::errore_fatale;
    } catch (const SenzaCelle& vuoto) {
        finestra.guasto(vuoto.what());
        return uscita::senza_celle;
    } catch (const std::exception& failure) {
        finestra.guasto(testo_guasto(failure));
        return uscita::guasto;
    }
}

}  // namespace scenario
