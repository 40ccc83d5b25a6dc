#include "compiler/code_change_pass.h"

#include <optional>

namespace scenario {

namespace {

constexpr int16_t codice_cambio = 180;
// Slowdowns slower than this get a code change every `passo_cambi` cells.
constexpr int16_t velocita_senza_ripetizione = 110;
constexpr int32_t passo_cambi = 8;
constexpr int32_t ritorno_avviso = 20;
constexpr int32_t primo_segnale_cercato = 3;
constexpr int32_t celle_dopo_la_fine = 12;
constexpr int32_t metri_per_cella = 50;

Cella& cella(Modello& modello, int32_t indice) {
    return modello.celle[static_cast<std::size_t>(indice)];
}

bool ha_tipo(const Modello& modello, int32_t indice, uint8_t tipo) {
    return cella_esiste(modello, indice) && modello.celle[static_cast<std::size_t>(indice)].tipo == tipo;
}

// Places a code change when the cell exists and is free.
bool prova_cambio(Modello& modello, int32_t indice) {
    if (!cella_esiste(modello, indice) || !cella_libera(cella(modello, indice))) {
        return false;
    }
    cella(modello, indice).tipo = tipo_cella::cambio_codice;
    cella(modello, indice).dato1 = codice_cambio;
    return true;
}

// Lowers an existing code change to at most the placed code.
bool abbassa_cambio(Modello& modello, int32_t indice) {
    if (!ha_tipo(modello, indice, tipo_cella::cambio_codice)) {
        return false;
    }
    cella(modello, indice).dato1 = minimo(codice_cambio, cella(modello, indice).dato1);
    return true;
}

void registra(Modello& modello, int32_t codice_errore, int32_t indice) {
    registra_errore(modello, codice_errore, indice * metri_per_cella);
}

// Every signal up to 20 cells before a warning board (never below cell 3)
// needs a code change on one of the two cells before it.
void segnali_prima_dell_avviso(Modello& modello, int32_t avviso) {
    for (int32_t d = avviso - 1; d >= avviso - ritorno_avviso && d >= primo_segnale_cercato; --d) {
        if (!ha_tipo(modello, d, tipo_cella::segnale)) {
            continue;
        }
        // Both free tests come before either code-change test.
        if (!(prova_cambio(modello, d - 1) || prova_cambio(modello, d - 2) ||
              abbassa_cambio(modello, d - 1) || abbassa_cambio(modello, d - 2))) {
            registra(modello, codice::segnale_senza_cambio, d);
        }
    }
}

// Three windows before a slowdown start, each used when the start lies
// beyond its far end; each takes a code change on its first free cell.
void finestre_prima_dell_inizio(Modello& modello, int32_t inizio) {
    for (const int32_t vicina : {5, 11, 18}) {
        const int32_t lontana = vicina + 2;
        if (inizio <= lontana) {
            continue;
        }
        bool posto = false;
        for (int32_t d = inizio - vicina; d >= inizio - lontana && !posto; --d) {
            posto = prova_cambio(modello, d);
        }
        if (!posto) {
            registra(modello, codice::finestra_senza_cambio, inizio);
        }
    }
}

// Walks from the start to the slowdown's end cell, placing a code change at
// every 8th cell when asked. The counter values keep consecutive code changes
// 8 cells apart whichever of the three cells took the last one; after an
// error it is left past 8, so nothing more is placed in this slowdown.
// No end before the last cell: no end.
std::optional<int32_t> percorri_rallentamento(Modello& modello, int32_t inizio, bool con_cambi) {
    int32_t m = 0;
    for (int32_t k = inizio + 1; k <= modello.ultima_cella(); ++k) {
        if (con_cambi && ++m == passo_cambi) {
            if (prova_cambio(modello, k)) {
                m = 0;
            } else if (prova_cambio(modello, k - 1)) {
                m = 1;
            } else if (prova_cambio(modello, k + 1)) {
                m = -1;
            } else {
                registra(modello, codice::rallentamento_senza_cambio, k);
            }
        }
        if (ha_tipo(modello, k, tipo_cella::fine_rallentamento)) {
            return k;
        }
    }
    return std::nullopt;
}

// The first signal among the end cell and the 12 after it needs a code
// change on one of the two cells before it; the error names the end cell.
void cambio_dopo_la_fine(Modello& modello, int32_t fine) {
    for (int32_t s = fine; s <= fine + celle_dopo_la_fine && s <= modello.ultima_cella(); ++s) {
        if (ha_tipo(modello, s, tipo_cella::segnale)) {
            if (!(prova_cambio(modello, s - 1) || prova_cambio(modello, s - 2))) {
                registra(modello, codice::rallentamento_senza_cambio, fine);
            }
            return;
        }
    }
}

void intorno_al_rallentamento(Modello& modello, int32_t inizio) {
    finestre_prima_dell_inizio(modello, inizio);
    const bool lento = cella(modello, inizio).dato1 < velocita_senza_ripetizione;
    if (const auto fine = percorri_rallentamento(modello, inizio, lento)) {
        cambio_dopo_la_fine(modello, *fine);
    }
}

}  // namespace

void passa_cambi_codice(Modello& modello) {
    const int32_t ultima = modello.ultima_cella();
    for (int32_t i = 1; i <= ultima - 2; ++i) {
        if (cella(modello, i).tipo == tipo_cella::avviso_rallentamento) {
            segnali_prima_dell_avviso(modello, i);
        }
        if (cella(modello, i).tipo == tipo_cella::inizio_rallentamento) {
            intorno_al_rallentamento(modello, i);
        }
    }
}

}  // namespace scenario
