#include "compiler/placement.h"

#include <algorithm>
#include <limits>

namespace scenario {

namespace {

// The packed members keep the low bits of the value; the arithmetic is done
// unsigned so that large inputs wrap instead of overflowing.
uint32_t senza_segno(int32_t valore) {
    return static_cast<uint32_t>(valore);
}

int16_t basso16(uint32_t valore) {
    return static_cast<int16_t>(static_cast<uint16_t>(valore));
}

int16_t basso16(int32_t valore) {
    return basso16(senza_segno(valore));
}

uint8_t basso8(uint32_t valore) {
    return static_cast<uint8_t>(valore);
}

// a x 10 + b, as the signal packs its pairs.
uint32_t decine(int32_t a, int32_t b) {
    return senza_segno(a) * 10u + senza_segno(b);
}

// A cell that does not exist is neither tested nor written.
bool occupata(const Modello& modello, int32_t indice) {
    return cella_esiste(modello, indice) && !cella_libera(modello.celle[static_cast<size_t>(indice)]);
}

Cella* cella(Modello& modello, int32_t indice) {
    return cella_esiste(modello, indice) ? &modello.celle[static_cast<size_t>(indice)] : nullptr;
}

// The cells of one slowdown line.
struct CelleRallentamento {
    bool con_avviso = false;    // start beyond 1500 m: warning board present
    bool con_preavviso = false;  // and the four cells before it asked for
    int32_t avviso = 0;          // a
    int32_t inizio = 0;          // s
    int32_t fine = 0;            // e
    int32_t preavviso = 0;       // p, the last of the four approach cells
};

CelleRallentamento celle_rallentamento(int32_t x, int32_t l, int32_t f_ta) {
    CelleRallentamento celle;
    celle.con_avviso = x > 1500;
    celle.con_preavviso = celle.con_avviso && f_ta != 0;
    celle.inizio = cella_punto(x);
    // x + l may leave the 32-bit range; such an end lies far beyond any line
    // either way, so it is clamped before the index rule.
    const int64_t fine = static_cast<int64_t>(x) + l;
    celle.fine = cella_punto(static_cast<int32_t>(std::clamp<int64_t>(
        fine, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
    if (celle.con_avviso) {
        celle.avviso = cella_punto(x - 1200);
        celle.preavviso = cella_tratto(x - 1200);
    }
    return celle;
}

constexpr int32_t celle_di_preavviso = 4;

}  // namespace

void memo_segnale(Modello& modello, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t& tempo) {
    const int32_t i = cella_punto(posizione);
    Cella* const segnale = cella(modello, i);
    if (segnale == nullptr) {
        return;
    }
    if (!cella_libera(*segnale)) {
        registra_errore(modello, codice::segnale_occupato, posizione);
        return;
    }
    const uint32_t lati = senza_segno(sx) * 3u + senza_segno(dx);
    segnale->tipo = tipo_cella::segnale;
    segnale->dato4 = basso16(senza_segno(rapp) * 10u + lati);
    segnale->dato1 = basso16(decine(s1, d1));
    segnale->dato2 = basso16(decine(s2, d2));
    segnale->dato3 = basso16(decine(s3, d3));
    if (tempo >= 1 && tempo <= 100) {
        tempo = 101;
    }
    segnale->tempo = sx == 2 ? basso8(senza_segno(tempo)) : 0;
    // Near the origin the marks that would fall before cell 0 are dropped.
    for (int32_t b = 1; b <= celle_di_preavviso; ++b) {
        if (Cella* const segno = cella(modello, i - 2 * b)) {
            segno->preavviso = basso8(lati * 10u + senza_segno(b));
        }
    }
}

void memo_rallentamento(Modello& modello, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v) {
    const CelleRallentamento celle = celle_rallentamento(x, l, f_ta);
    // Every cell is tested before any is written.
    if (celle.con_avviso && occupata(modello, celle.avviso)) {
        registra_errore(modello, codice::avviso_occupato, x);
        return;
    }
    if (occupata(modello, celle.inizio)) {
        registra_errore(modello, codice::inizio_occupato, x);
        return;
    }
    if (occupata(modello, celle.fine)) {
        registra_errore(modello, codice::fine_occupata, x);
        return;
    }

    const auto segna = [&](int32_t indice, uint8_t tipo) {
        if (Cella* const c = cella(modello, indice)) {
            c->tipo = tipo;
            if (d_v != 0) {
                c->dato2 = basso16(d_v);
            }
        }
    };
    const auto valori = [&](int32_t indice) {
        if (Cella* const c = cella(modello, indice)) {
            c->dato1 = basso16(v);
        }
    };
    segna(celle.fine, tipo_cella::fine_rallentamento);
    segna(celle.inizio, tipo_cella::inizio_rallentamento);
    if (celle.con_avviso) {
        segna(celle.avviso, tipo_cella::avviso_rallentamento);
        valori(celle.avviso);
    }
    valori(celle.inizio);
    valori(celle.fine);
    for (const int32_t indice : {celle.inizio, celle.fine}) {
        if (Cella* const c = cella(modello, indice)) {
            c->dato3 = basso16(f_tt);
        }
    }

    if (!celle.con_preavviso) {
        return;
    }
    for (int32_t n = 0; n < celle_di_preavviso; ++n) {
        if (occupata(modello, celle.preavviso - n)) {
            registra_errore(modello, codice::preavviso_occupato, x);
            return;
        }
    }
    for (int32_t n = 0; n < celle_di_preavviso; ++n) {
        if (Cella* const c = cella(modello, celle.preavviso - n)) {
            c->tipo = tipo_cella::preavviso_rallentamento;
            c->dato1 = static_cast<int16_t>(n + 1);
            if (d_v != 0) {
                c->dato2 = static_cast<int16_t>(n + 1);
            }
        }
    }
}

bool segnale_nelle_celle(const Modello& modello, int32_t posizione) {
    return cella_esiste(modello, cella_punto(posizione));
}

bool rallentamento_nelle_celle(const Modello& modello, int32_t x, int32_t l, int32_t f_ta) {
    const CelleRallentamento celle = celle_rallentamento(x, l, f_ta);
    if (!cella_esiste(modello, celle.inizio) || !cella_esiste(modello, celle.fine)) {
        return false;
    }
    if (celle.con_avviso && !cella_esiste(modello, celle.avviso)) {
        return false;
    }
    if (celle.con_preavviso) {
        for (int32_t n = 0; n < celle_di_preavviso; ++n) {
            if (!cella_esiste(modello, celle.preavviso - n)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace scenario
