#pragma once
// What the two description readers share: the file being read, and how a
// keyword line ends the reading.

#include <array>
#include <cstddef>
#include <limits>
#include <string>

#include "compiler/track_model.h"
#include "description/field_reader.h"
#include "platform/folder.h"

namespace scenario {

// A text field that becomes the `nome` of a table entry. The compiled table
// keeps a name's length in 16 bits, so a longer text cannot be read (code
// 25) rather than stop the writing of the compiled files half-way.
inline std::string testo_nome(LettoreCampi& campi) {
    std::string testo = campi.testo();
    if (testo.size() > std::numeric_limits<uint16_t>::max()) {
        throw ErroreLettura("a name of " + std::to_string(testo.size()) +
                            " characters on line " + std::to_string(campi.numero_riga()));
    }
    return testo;
}

// What a keyword line leaves behind.
enum class Esito {
    avanti,      // go on with the next keyword test
    fine_parte,  // a position out of range: the part ends as at the end of the file
    interrotta,  // an error that ends the reading; the file is already deleted
};

struct LetturaFile {
    Modello& modello;
    platform::Folder& cartella;
    std::string nome;
    LettoreCampi campi;

    int32_t ultima() const { return modello.ultima_cella(); }
    Cella& cella(int32_t indice) { return modello.celle[static_cast<std::size_t>(indice)]; }

    // Deletes the file and records the code that ends the reading.
    Esito interrompi(int32_t codice) {
        cartella.remove(nome);
        registra_errore(modello, codice);
        return Esito::interrotta;
    }
    Esito interrompi(int32_t codice, int32_t posizione) {
        cartella.remove(nome);
        registra_errore(modello, codice, posizione);
        return Esito::interrotta;
    }
    // After an object was laid: an error recorded by now, by the placement
    // (which records its own) or earlier by either reader, ends the reading
    // at this line, with the line's position.
    Esito dopo_il_posto(int32_t posizione) {
        if (modello.codice_errore > 0) {
            cartella.remove(nome);
            modello.posizione_errore = posizione;
            return Esito::interrotta;
        }
        return Esito::avanti;
    }

    // The next `n` fields, 32-bit each.
    template <std::size_t n>
    std::array<int32_t, n> interi() {
        std::array<int32_t, n> valori{};
        for (auto& valore : valori) {
            valore = campi.intero32();
        }
        return valori;
    }

    Esito fuori_linea(int32_t posizione) {
        registra_errore(modello, codice::fuori_linea, posizione);
        return Esito::fine_parte;
    }
};

// The fields of the file `nome`, which becomes the model's source: every
// error recorded while it is read names it and the line of the field last read.
inline LettoreCampi apri_descrizione(Modello& modello, const platform::Folder& cartella,
                                     const std::string& nome) {
    modello.sorgente = {nome, 0};
    return LettoreCampi(cartella, nome, &modello.sorgente.riga);
}

}  // namespace scenario
