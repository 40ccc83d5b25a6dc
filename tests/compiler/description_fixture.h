#pragma once
// Small description files in a folder held in memory, and the model the
// readers leave after reading them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/description_reader.h"
#include "description/file_names.h"
#include "platform/memory_folder.h"

namespace scenario::test {

// A position that no reader records, to see that one was left alone.
inline constexpr int32_t posizione_intatta = 4242;

// The lines, each closed by CR LF.
inline std::string testo(const std::vector<std::string>& righe) {
    std::string bytes;
    for (const auto& riga : righe) {
        bytes += riga + "\r\n";
    }
    return bytes;
}

// A line of 1000 m (N = 160, positions up to 7900 m, plan metres 0 to 8000)
// with the given feature lines.
inline std::vector<std::string> linea_breve(const std::vector<std::string>& caratteristiche = {}) {
    std::vector<std::string> righe{"[generale]", "lunghezza percorso,  1000", "[curve]"};
    righe.insert(righe.end(), caratteristiche.begin(), caratteristiche.end());
    righe.push_back("[fine]");
    return righe;
}

// A train description with the given lines between "[generale]" and "[fine]".
inline std::string treno(const std::vector<std::string>& righe = {}) {
    std::vector<std::string> tutte{"[generale]"};
    tutte.insert(tutte.end(), righe.begin(), righe.end());
    tutte.push_back("[fine]");
    return testo(tutte);
}

struct Lettura {
    platform::MemoryFolder cartella;
    Modello modello;
    Identita id = identita_scenario();

    bool resta_linea() const { return cartella.exists(nome_descrizione_linea(id)); }
    bool resta_treno() const { return cartella.exists(nome_descrizione_treno(id)); }
    const Cella& cella(int32_t i) const { return modello.celle.at(static_cast<std::size_t>(i)); }
    const Voce& voce(int i) const { return modello.tabella.at(static_cast<std::size_t>(i)); }

    // Reads the given descriptions (none: no file) with `memorizza_dati`.
    void leggi(const std::optional<std::string>& linea, const std::optional<std::string>& treno,
               int32_t con_tracciato = 1) {
        if (linea) {
            cartella.replace(nome_descrizione_linea(id), *linea);
        }
        if (treno) {
            cartella.replace(nome_descrizione_treno(id), *treno);
        }
        modello.linea = id.linea;
        modello.treno = id.treno;
        modello.con_tracciato = con_tracciato;
        modello.posizione_errore = posizione_intatta;
        memorizza_dati(modello, cartella);
    }
};

}  // namespace scenario::test
