#include "compiler/track_model.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace scenario {

double nearest(double r) {
    // The default rounding mode rounds halves to the even neighbour; the
    // program never changes it.
    return std::nearbyint(r);
}

namespace {
// Cell indices of positions within the signed 32-bit range stay far inside
// the 32-bit range after the division by 50.
int32_t indice(double r) {
    return static_cast<int32_t>(nearest(r));
}
}  // namespace

int32_t cella_tratto(int32_t inizio) {
    return indice(inizio / 50.0);
}

int32_t cella_punto(int32_t posizione) {
    return indice(posizione / 50.0 + 1);
}

int32_t cella_stazione(int32_t fine) {
    return indice(fine / 50.0 - 1);
}

int32_t ultima_cella_per(int32_t lunghezza) {
    return indice((static_cast<double>(lunghezza) + 7000) / 50.0);
}

bool entro_linea(int32_t posizione, int32_t ultima, int32_t margine) {
    return (static_cast<double>(posizione) + margine) / 50.0 <= ultima;
}

void registra_errore(Modello& modello, int32_t codice, int32_t posizione) {
    modello.codice_errore = codice;
    modello.posizione_errore = posizione;
    const Sorgente& sorgente = modello.sorgente;
    modello.segnalazioni.push_back({codice, posizione, sorgente.file, sorgente.riga});
}

void registra_errore(Modello& modello, int32_t codice) {
    modello.codice_errore = codice;
    const Sorgente& sorgente = modello.sorgente;
    modello.segnalazioni.push_back({codice, std::nullopt, sorgente.file, sorgente.riga});
}

Tracciato::Tracciato(Colonna coordinata0, Colonna coordinata1)
    : colonne_{std::move(coordinata0), std::move(coordinata1)} {
    for (const Colonna& colonna : colonne_) {
        if (colonna.tipi.size() != size() || colonna.valori.size() != size()) {
            throw std::invalid_argument("the columns of a plan differ in length");
        }
    }
}

void Tracciato::reserve(std::size_t metri) {
    for (Colonna& colonna : colonne_) {
        colonna.tipi.reserve(metri);
        colonna.valori.reserve(metri);
    }
}

void Tracciato::clear() noexcept {
    for (Colonna& colonna : colonne_) {
        colonna.tipi.clear();
        colonna.valori.clear();
    }
}

void Tracciato::resize(std::size_t metri) {
    for (Colonna& colonna : colonne_) {
        colonna.tipi.resize(metri, vuoto);
        colonna.valori.resize(metri, 0.0);
    }
}

void Tracciato::Colonna::metti(const ValorePiano& valore) {
    if (const auto* numero_intero = std::get_if<int16_t>(&valore)) {
        metti(intero, *numero_intero);
    } else if (const auto* numero_reale = std::get_if<double>(&valore)) {
        metti(reale, *numero_reale);
    } else {
        metti(vuoto, 0.0);
    }
}

void Tracciato::push_back(const MetroPiano& metro) {
    colonne_[0].metti(metro[0]);
    colonne_[1].metti(metro[1]);
}

ValorePiano Tracciato::valore(std::size_t metro, std::size_t coordinata) const {
    const Colonna& colonna = colonne_.at(coordinata);
    const double numero = colonna.valori.at(metro);
    switch (colonna.tipi[metro]) {
    case intero:
        return static_cast<int16_t>(numero);
    case reale:
        return numero;
    default:
        return std::monostate{};
    }
}

bool cella_libera(const Cella& cella) {
    return cella.tipo == tipo_cella::vuota || cella.tipo == tipo_cella::marca_montagna;
}

}  // namespace scenario
