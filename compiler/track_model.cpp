#include "compiler/track_model.h"

#include <cmath>

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

bool cella_libera(const Cella& cella) {
    return cella.tipo == tipo_cella::vuota || cella.tipo == tipo_cella::marca_montagna;
}

}  // namespace scenario
