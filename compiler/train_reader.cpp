// The train half of `memorizza_dati`: the train description file into the
// cells and `tabella`, after the line has been read.

#include <array>
#include <string>

#include "compiler/description_reader.h"
#include "compiler/description_reading.h"
#include "compiler/placement.h"
#include "compiler/profile_fill.h"
#include "description/file_names.h"

namespace scenario {

namespace {

constexpr int32_t spazio_tra_stazioni = 350;
constexpr int32_t zona_con_opzione4 = 600;
constexpr int32_t proroga_opzione3 = 50;
constexpr int32_t tipo_senza_celle = 25;  // stations of this type and above are only in the table

struct LetturaTreno : LetturaFile {
    int32_t prossimo_cartello = voce::primo_cartello;
    int32_t stazione_corrente = voce::prima_stazione;
    int32_t riempimento_velocita = 0;
    int32_t riempimento_aderenza = 0;
    int32_t velocita_corrente = 0;
    int32_t aderenza_corrente = 0;
};

// The speed limit as the cells keep it: its fifth, which must fit in a byte.
uint8_t quinto(int32_t limite) {
    const double valore = nearest(limite / 5.0);
    if (valore < 0 || valore > 255) {
        throw ErroreLettura("speed limit " + std::to_string(limite) + " does not fit a cell");
    }
    return static_cast<uint8_t>(valore);
}

void scrivi_velocita(LetturaTreno& l, int32_t fino_a, int32_t tetto) {
    const int32_t limite = l.velocita_corrente;
    riempi_celle(l.modello.celle, l.riempimento_velocita, fino_a, tetto,
                 [limite](Cella& cella) { cella.velocita = quinto(limite); });
}

void scrivi_aderenza(LetturaTreno& l, int32_t fino_a, int32_t tetto) {
    const uint8_t valore = byte_basso(l.aderenza_corrente);
    riempi_celle(l.modello.celle, l.riempimento_aderenza, fino_a, tetto,
                 [valore](Cella& cella) { cella.aderenza = valore; });
}

// A "velocita" or "aderenza" line: the value in force so far is laid up to
// the new line's cell, then the new value takes over.
Esito leggi_profilo(LetturaTreno& l, int32_t& corrente,
                    void (*scrivi)(LetturaTreno&, int32_t, int32_t)) {
    const int32_t posizione = l.campi.intero32();
    const int32_t valore = l.campi.intero32();
    if (!entro_linea(posizione, l.ultima())) {
        return l.fuori_linea(posizione);
    }
    const int32_t fino_a = cella_tratto(posizione);
    if (fino_a > 0) {
        scrivi(l, fino_a, l.ultima());
    }
    corrente = valore;
    return Esito::avanti;
}

Esito leggi_velocita(LetturaTreno& l) {
    return leggi_profilo(l, l.velocita_corrente, scrivi_velocita);
}

Esito leggi_aderenza(LetturaTreno& l) {
    return leggi_profilo(l, l.aderenza_corrente, scrivi_aderenza);
}

Esito leggi_massa_frenata(LetturaTreno& l) {
    l.modello.tabella[voce::treno_e_linea].inizio = l.campi.intero32();
    return Esito::avanti;
}

Esito leggi_vetture(LetturaTreno& l) {
    l.modello.tabella[voce::treno_e_linea].posizione = l.campi.intero32();
    return Esito::avanti;
}

Esito leggi_orologio(LetturaTreno& l) {
    Voce& voce = l.modello.tabella[voce::ripetizione];
    voce.valore3 = l.campi.intero16();
    voce.valore4 = l.campi.intero16();
    voce.valore5 = l.campi.intero16();
    return Esito::avanti;
}

Esito leggi_sabbia(LetturaTreno& l) {
    l.modello.tabella[voce::ripetizione].valore1 = l.campi.intero16();
    return Esito::avanti;
}

Esito leggi_segnale(LetturaTreno& l) {
    auto v = l.interi<11>();
    const int32_t posizione = v[0];
    if (!entro_linea(posizione, l.ultima()) || !segnale_nelle_celle(l.modello, posizione)) {
        return l.fuori_linea(posizione);
    }
    memo_segnale(l.modello, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9],
                 v[10]);
    // An error recorded by now, by this line or earlier by the line reader,
    // ends the reading at this line.
    return l.dopo_il_posto(posizione);
}

Esito leggi_rallentamento(LetturaTreno& l) {
    const auto [x, velocita, lunghezza, f_tt, f_ta, d_v] = l.interi<6>();
    if (!entro_linea(x, l.ultima()) || !rallentamento_nelle_celle(l.modello, x, lunghezza, f_ta)) {
        return l.fuori_linea(x);
    }
    memo_rallentamento(l.modello, x, velocita, lunghezza, f_tt, f_ta, d_v);
    return l.dopo_il_posto(x);
}

Esito leggi_abbattimento(LetturaTreno& l) {
    const int32_t posizione = l.campi.intero32();
    const int32_t codice_cab = l.campi.intero32();
    const int32_t i = cella_tratto(posizione);
    if (!entro_linea(posizione, l.ultima()) || !cella_esiste(l.modello, i)) {
        return l.fuori_linea(posizione);
    }
    Cella& cella = l.cella(i);
    if (!cella_libera(cella)) {
        return l.interrompi(codice::abbattimento_occupato, posizione);
    }
    if (codice_cab > 0) {
        cella.tipo = tipo_cella::cambio_codice;
        cella.dato1 = static_cast<int16_t>(codice_cab & 0xFFFF);
    } else {
        cella.tipo = tipo_cella::taglio_codice;
    }
    return Esito::avanti;
}

// The fields of a station line after its type and zone length, into its entry.
void leggi_campi_stazione(LettoreCampi& campi, Voce& voce) {
    voce.attributo = campi.intero8();
    voce.opzione4 = campi.intero8();
    voce.opzione3 = campi.intero8();
    voce.valore1 = campi.intero16();
    voce.valore2 = campi.intero16();
    voce.opzione1 = campi.intero8();
    voce.valore3 = campi.intero16();
    voce.valore4 = campi.intero16();
    voce.valore5 = campi.intero16();
    voce.opzione2 = campi.intero8();
    const int64_t ore = campi.intero32();
    const int64_t minuti = campi.intero32();
    const int64_t secondi = campi.intero32();
    voce.orario = in_32_bit((ore * 60 + minuti) * 60 + secondi);
    voce.nome = testo_nome(campi);
}

// The platform stretch around the station's position.
void calcola_zona(Voce& voce, int32_t lunghezza) {
    const int64_t posizione = voce.posizione;
    if (voce.tipo == 5 || voce.tipo == 6) {
        voce.fine = in_32_bit(posizione + 150);
        voce.inizio = in_32_bit(posizione - lunghezza);
        voce.opzione3 = 0;
    } else if (voce.tipo == 7 || voce.tipo == 8) {
        voce.inizio = in_32_bit(posizione - lunghezza);
        voce.fine = in_32_bit(posizione + lunghezza);
        voce.opzione3 = 0;
    } else {
        const double meta = lunghezza / 2.0;
        voce.inizio = in_32_bit(static_cast<int64_t>(nearest(static_cast<double>(posizione) - meta)));
        voce.fine = in_32_bit(static_cast<int64_t>(nearest(static_cast<double>(posizione) + meta)) +
                              (voce.opzione3 != 0 ? proroga_opzione3 : 0));
    }
}

// The stop cell of a station whose zone ends at `fine` lies one cell before
// that end, its approach marks `j` cells before the stop cell; none of them
// is laid within the first two cells.
double prima_della_fine(int32_t fine, int32_t celle_prima) {
    return fine / 50.0 - celle_prima - 1;
}

Esito leggi_stazione(LetturaTreno& l) {
    Modello& m = l.modello;
    const int32_t k = l.stazione_corrente;
    // When the signboards fill every entry down to this one, the station is
    // refused before it could overwrite a signboard's text.
    if (k > l.prossimo_cartello) {
        return l.interrompi(codice::troppe_stazioni);
    }
    Voce& stazione = m.tabella[static_cast<std::size_t>(k)];
    stazione.posizione = l.campi.intero32();
    const int32_t posizione = stazione.posizione;
    if (!entro_linea(posizione, l.ultima(), margine_stazione)) {
        return l.fuori_linea(posizione);
    }
    if (posizione % 50 != 0) {
        return l.interrompi(codice::stazione_non_multipla, posizione);
    }
    stazione.tipo = l.campi.intero8();
    const int32_t lunghezza = l.campi.intero32();
    if (lunghezza % 100 != 0) {
        return l.interrompi(codice::zona_non_multipla, posizione);
    }
    leggi_campi_stazione(l.campi, stazione);
    calcola_zona(stazione, lunghezza);
    if (lunghezza < zona_con_opzione4) {
        stazione.opzione4 = 0;
    }
    if (k == voce::prima_stazione) {
        stazione.opzione3 = 0;
        stazione.opzione4 = 0;
    }

    const bool con_celle = stazione.tipo < tipo_senza_celle;
    const double fermata = prima_della_fine(stazione.fine, 0);
    if (con_celle && fermata > 1 && !cella_esiste(m, cella_stazione(stazione.fine))) {
        return l.fuori_linea(posizione);
    }
    if (con_celle && stazione.tipo != 5 && stazione.tipo != 6) {
        for (int32_t j = 1; j <= 4; ++j) {
            const double q = prima_della_fine(stazione.fine, j);
            if (q > 1) {
                l.cella(static_cast<int32_t>(nearest(q))).preavviso = static_cast<uint8_t>(80 + j);
            }
        }
    }
    if (con_celle) {
        if (fermata <= 1) {
            return l.interrompi(codice::stazione_all_origine);
        }
        // The stop cell is written whatever it held.
        Cella& cella = l.cella(cella_stazione(stazione.fine));
        cella.tipo = tipo_cella::fermata;
        cella.dato1 = static_cast<int16_t>(k);
    }
    if (k > voce::prima_stazione &&
        int64_t{stazione.inizio} - spazio_tra_stazioni <
            m.tabella[static_cast<std::size_t>(k - 1)].fine) {
        return l.interrompi(codice::stazioni_vicine, posizione);
    }
    ++l.stazione_corrente;
    if (l.stazione_corrente >= l.prossimo_cartello) {
        return l.interrompi(codice::troppe_stazioni);
    }
    return Esito::avanti;
}

// Every keyword test on the field in `riga`, in order, each independent of
// the others.
Esito parole_treno(LetturaTreno& l) {
    const std::string& riga = l.modello.riga;
    Esito esito = Esito::avanti;
    const auto prova = [&esito, &l](bool trovata, Esito (*leggi)(LetturaTreno&)) {
        if (esito == Esito::avanti && trovata) {
            esito = leggi(l);
        }
    };
    prova(contiene(riga, "frenata") && contiene(riga, "massa"), leggi_massa_frenata);
    prova(contiene(riga, "vetture"), leggi_vetture);
    prova(contiene(riga, "velocit"), leggi_velocita);
    prova(contiene(riga, "aderenza"), leggi_aderenza);
    prova(contiene(riga, "orologio"), leggi_orologio);
    prova(contiene(riga, "sabbia"), leggi_sabbia);
    prova(contiene(riga, "segnale"), leggi_segnale);
    prova(contiene(riga, "rallentamento"), leggi_rallentamento);
    prova(contiene(riga, "abbattimento"), leggi_abbattimento);
    prova(contiene(riga, "stazione"), leggi_stazione);
    return esito;
}

// The end of the reading: the file deleted, the speed limit and adhesion in
// force carried on to the cells before the last three, the chainage checked.
void chiudi_treno(LetturaTreno& l) {
    l.cartella.remove(l.nome);
    const int32_t fino_a = l.ultima() - 2;
    const int32_t tetto = l.ultima() + 1;
    scrivi_velocita(l, fino_a, tetto);
    scrivi_aderenza(l, fino_a, tetto);
    bool progressive_valide = true;
    for (int voce = voce::progressiva_1; voce <= voce::progressiva_3; ++voce) {
        const Voce& progressiva = l.modello.tabella[static_cast<std::size_t>(voce)];
        if (progressiva.inizio % 50 != 0 || progressiva.fine % 50 != 0) {
            progressive_valide = false;
        }
    }
    // The chainage references come from the line description: the error
    // names that file, at no line of its own.
    if (!progressive_valide) {
        l.modello.sorgente = {nome_descrizione_linea({l.modello.linea, l.modello.treno}), 0};
        registra_errore(l.modello, codice::progressiva_non_multipla);
    }
}

}  // namespace

void memorizza_treno(Modello& modello, platform::Folder& cartella, int32_t prossimo_cartello) {
    const std::string nome = nome_descrizione_treno({modello.linea, modello.treno});
    LetturaTreno l{{modello, cartella, nome, apri_descrizione(modello, cartella, nome)}, prossimo_cartello};
    do {
        modello.riga = l.campi.testo();
    } while (!contiene(modello.riga, "[generale]") && !l.campi.fine());

    while (campo_chiave(l.campi, modello.riga)) {
        const Esito esito = parole_treno(l);
        if (esito == Esito::interrotta) {
            return;
        }
        if (esito == Esito::fine_parte) {
            break;
        }
    }
    chiudi_treno(l);
}

}  // namespace scenario
