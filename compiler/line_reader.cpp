// The line half of `memorizza_dati`: the line description file into the
// cells, the plan and the line's settings in `tabella`.

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "compiler/description_reader.h"
#include "compiler/description_reading.h"
#include "compiler/profile_fill.h"
#include "description/field_reader.h"
#include "description/file_names.h"

namespace scenario {

namespace {

constexpr int32_t primo_metro_libero = 2;  // metres 0 and 1 are the fixed start
constexpr int32_t metro_massimo = 1000000;
constexpr int dash_generale = 10;  // comment fields passed over in a row, general section

struct LetturaLinea : LetturaFile {
    int32_t riempimento_pendenza = 0;
    int32_t pendenza_corrente = 0;
    int32_t metro_corrente = primo_metro_libero;
    int32_t prossimo_cartello = voce::primo_cartello;
    // The last length accepted in the general section, not yet made into
    // cells and a plan.
    std::optional<int32_t> lunghezza = std::nullopt;
    // The plan's size in metres, once the general section has given it.
    std::size_t metri_piano = 0;
};

// ---- general section --------------------------------------------------------

void leggi_terna(LettoreCampi& campi, Voce& voce) {
    voce.inizio = campi.intero32();
    voce.fine = campi.intero32();
    voce.posizione = campi.intero32();
}

// The length line: the length that sizes the cells and, when asked for, the
// plan once the general section ends.
int32_t leggi_lunghezza(LetturaLinea& l) {
    const int32_t lunghezza = l.campi.intero32();
    l.modello.tabella[voce::treno_e_linea].fine = lunghezza;
    // A negative length has no cells to give; it is refused like an excessive one.
    if (lunghezza > lunghezza_massima || lunghezza < 0) {
        return codice::lunghezza_eccessiva;
    }
    l.lunghezza = lunghezza;
    return codice::nessuno;
}

// The cells and the plan, all empty, for the last length accepted. Nothing
// in the general section touches them, so making them once when it ends,
// however it ends, is the same as making them afresh at each length line,
// without the cost of a million-metre plan for every such line.
void dimensiona(LetturaLinea& l) {
    Modello& m = l.modello;
    if (!l.lunghezza) {
        return;
    }
    m.celle.assign(static_cast<std::size_t>(ultima_cella_per(*l.lunghezza)) + 1, Cella{});
    if (m.con_tracciato != 0) {
        // Only room for now: the metres go in as they are laid, and those
        // never laid are put in empty when the reading ends (completa_piano),
        // so that no metre of a long plan is written twice.
        l.metri_piano = static_cast<std::size_t>(*l.lunghezza) + 7001;
        m.tracciato.clear();
        m.tracciato.reserve(l.metri_piano);
    }
    l.lunghezza.reset();
}

int32_t leggi_ripetizione(LetturaLinea& l) {
    Voce& voce = l.modello.tabella[voce::ripetizione];
    voce.inizio = l.campi.intero32();
    voce.fine = l.campi.intero32();
    if (voce.inizio % 50 != 0) {
        return codice::ripetizione_inizio_non_multipla;
    }
    if (voce.fine % 50 != 0) {
        return codice::ripetizione_fine_non_multipla;
    }
    if (contiene_esatto(l.modello.riga, "4")) {
        voce.posizione = 4;
    } else if (contiene_esatto(l.modello.riga, "9")) {
        voce.posizione = 9;
    } else {
        return codice::ripetizione_senza_codici;
    }
    if (voce.fine == 0) {
        voce.posizione = 0;
    }
    return codice::nessuno;
}

// Every keyword test of the general section on the field in `riga`, in
// order; the code of an error that ends the reading, or 0.
int32_t parole_generali(LetturaLinea& l) {
    Modello& m = l.modello;
    const std::string& riga = m.riga;
    auto& tabella = m.tabella;
    if (contiene(riga, "percorso") && contiene(riga, "lunghezza")) {
        if (const int32_t codice = leggi_lunghezza(l); codice != codice::nessuno) {
            return codice;
        }
    }
    // Chainage references and backgrounds are matched with exact case.
    const auto con = [&riga](std::string_view a, std::string_view b) {
        return contiene_esatto(riga, a) && contiene_esatto(riga, b);
    };
    if (con("tre", "progressiva")) {
        leggi_terna(l.campi, tabella[voce::progressiva_1]);
    }
    if (con("due", "progressiva")) {
        leggi_terna(l.campi, tabella[voce::progressiva_2]);
    }
    if (con("uno", "progressiva")) {
        leggi_terna(l.campi, tabella[voce::progressiva_3]);
    }
    if (con("sfondo", "uno")) {
        tabella[voce::sfondi].inizio = l.campi.intero32();
    }
    if (con("sfondo", "due")) {
        tabella[voce::sfondi].posizione = l.campi.intero32();
    }
    if (con("sfondo", "tre")) {
        tabella[voce::sfondi].fine = l.campi.intero32();
    }
    if (con("segnali", "ripetizione")) {
        return leggi_ripetizione(l);
    }
    return codice::nessuno;
}

// The field that closes the general section: the next section's header.
bool intestazione(std::string_view campo) {
    campo.remove_prefix(std::min(campo.find_first_not_of(' '), campo.size()));
    return !campo.starts_with('-') && contiene_esatto(campo, "[") && contiene_esatto(campo, "]");
}

// False when an error ended the reading.
bool scorri_generale(LetturaLinea& l) {
    Modello& m = l.modello;
    while (!l.campi.fine()) {
        m.riga = l.campi.testo();
        if (l.campi.fine()) {
            break;
        }
        for (int i = 0; i < dash_generale; ++i) {
            if (contiene_esatto(m.riga, "-")) {
                m.riga = l.campi.testo();
            }
        }
        if (const int32_t codice = parole_generali(l); codice != codice::nessuno) {
            l.interrompi(codice);
            return false;
        }
        if (intestazione(m.riga)) {
            break;
        }
    }
    return true;
}

// The general section; the cells and the plan exist afterwards as soon as a
// length was accepted, also when a reading failure ends it.
bool leggi_generale(LetturaLinea& l) {
    bool completa = false;
    try {
        completa = scorri_generale(l);
    } catch (const ErroreLettura&) {
        dimensiona(l);
        throw;
    }
    dimensiona(l);
    return completa;
}

// ---- the plan -----------------------------------------------------------------

// Lays the metres after the last one laid up to `a`, each one step on from
// the two metres before it;
// a curved metre first turns the step by the curvature `k`. The turned step
// is not brought back to unit length. The last two points are carried in
// plain doubles rather than read back from the plan, but the step is always
// taken afresh from them: they are the very values stored.
void posa_metri(Tracciato& piano, int32_t a, bool curvo, double k) {
    const std::size_t primo = piano.size();
    if (a < 0 || primo > static_cast<std::size_t>(a)) {
        return;
    }
    double penultimo_x = piano.numero(primo - 2, 0);
    double penultimo_y = piano.numero(primo - 2, 1);
    double ultimo_x = piano.numero(primo - 1, 0);
    double ultimo_y = piano.numero(primo - 1, 1);
    for (std::size_t metro = primo; metro <= static_cast<std::size_t>(a); ++metro) {
        double dx = ultimo_x - penultimo_x;
        double dy = ultimo_y - penultimo_y;
        if (curvo) {
            const double girato_x = dx + k * dy;
            const double girato_y = dy - k * dx;
            dx = girato_x;
            dy = girato_y;
        }
        const double x = ultimo_x + dx;
        const double y = ultimo_y + dy;
        piano.posa(x, y);
        penultimo_x = ultimo_x;
        penultimo_y = ultimo_y;
        ultimo_x = x;
        ultimo_y = y;
    }
}

// The last metre the reader lays; the plan's last two metres stay empty.
int32_t ultimo_metro_posato(const LetturaLinea& l) {
    return static_cast<int32_t>(l.metri_piano) - 3;
}

// The plan at its full size, every metre not laid empty.
void completa_piano(LetturaLinea& l) {
    if (l.modello.tracciato.size() < l.metri_piano) {
        l.modello.tracciato.resize(l.metri_piano);
    }
}

// ---- feature part ---------------------------------------------------------------

Esito leggi_pendenza(LetturaLinea& l) {
    const int32_t posizione = l.campi.intero32();
    const int32_t pendenza = l.campi.intero32();
    if (!entro_linea(posizione, l.ultima())) {
        return l.fuori_linea(posizione);
    }
    const int32_t inizio = cella_tratto(posizione);
    if (inizio > 0) {
        const uint8_t valore = byte_basso(int64_t{l.pendenza_corrente} + 100);
        riempi_celle(l.modello.celle, l.riempimento_pendenza, inizio, l.ultima(),
                     [valore](Cella& cella) { cella.pendenza = valore; });
    }
    l.pendenza_corrente = pendenza;
    return Esito::avanti;
}

// The curvature of the first class digit in the keyword, or 0 for none.
double curvatura(std::string_view riga) {
    constexpr std::array<std::pair<char, double>, 6> classi{{
        {'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004}, {'4', 0.001}, {'5', 0.002}, {'6', 0.003}}};
    for (const auto& [cifra, k] : classi) {
        if (riga.find(cifra) != std::string_view::npos) {
            return k;
        }
    }
    return 0.0;
}

// Lays metres up to `fino_a`, straight or curved; false when the metre
// counter passed the plan's limit and the reading ended.
bool posa_fino_a(LetturaLinea& l, int64_t fino_a, bool curvo, double k) {
    if (l.metro_corrente > fino_a) {
        return true;
    }
    // The metre that takes the counter past the limit is still laid, and
    // the reading ends there.
    const auto ultimo =
        static_cast<int32_t>(std::min(fino_a, int64_t{std::max(l.metro_corrente, metro_massimo)}));
    posa_metri(l.modello.tracciato, ultimo, curvo, k);
    l.metro_corrente = ultimo + 1;
    if (l.metro_corrente > metro_massimo) {
        l.interrompi(codice::curva_non_valida);
        return false;
    }
    return true;
}

Esito leggi_curva(LetturaLinea& l) {
    const int32_t posizione = l.campi.intero32();
    const int32_t lunghezza = l.campi.intero32();
    if (!entro_linea(posizione, l.ultima())) {
        return l.fuori_linea(posizione);
    }
    double k = curvatura(l.modello.riga);
    if (k == 0.0) {
        return l.interrompi(codice::curva_non_valida);
    }
    if (contiene(l.modello.riga, "s")) {
        k = -k;
    }
    const int64_t fine = int64_t{posizione} + lunghezza;
    // A curve running past the plan is refused whole, before any metre is laid.
    if (fine > ultimo_metro_posato(l)) {
        return l.interrompi(codice::curva_non_valida, posizione);
    }
    if (!posa_fino_a(l, posizione, false, 0.0) || !posa_fino_a(l, fine, true, k)) {
        return Esito::interrotta;
    }
    return Esito::avanti;
}

Esito leggi_montagna(LetturaLinea& l) {
    const int32_t inizio = l.campi.intero32();
    const int32_t fine = l.campi.intero32();
    int32_t tipo = l.campi.intero32();
    if (!entro_linea(inizio, l.ultima())) {
        return l.fuori_linea(inizio);
    }
    // The stretch ends in the cell before its end point, as a station zone does.
    if (cella_tratto(inizio) < 0 || cella_stazione(fine) > l.ultima()) {
        return l.fuori_linea(inizio);
    }
    memo_montagna(l.modello, inizio, fine, tipo);
    return Esito::avanti;
}

Esito leggi_indicatori(LetturaLinea& l) {
    const auto v = l.interi<9>();
    const int32_t posizione = v[0];
    if (!entro_linea(posizione, l.ultima()) || !cella_esiste(l.modello, cella_punto(posizione))) {
        return l.fuori_linea(posizione);
    }
    memo_indicatori_v_max(l.modello, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    return l.dopo_il_posto(posizione);
}

Esito leggi_cartello(LetturaLinea& l) {
    Modello& m = l.modello;
    const int32_t posizione = l.campi.intero32();
    m.riga = testo_nome(l.campi);
    const int32_t j = cella_punto(posizione);
    if (!entro_linea(posizione, l.ultima()) || !cella_esiste(l.modello, j)) {
        return l.fuori_linea(posizione);
    }
    if (l.prossimo_cartello < 1) {
        throw ErroreLettura("no table entry left for the signboard at " +
                            std::to_string(posizione) + " m");
    }
    if (!cella_libera(l.cella(j))) {
        return l.interrompi(codice::cartello_occupato, posizione);
    }
    l.cella(j).tipo = tipo_cella::cartello;
    l.cella(j).dato1 = static_cast<int16_t>(l.prossimo_cartello);
    m.tabella[static_cast<std::size_t>(l.prossimo_cartello)].nome = m.riga;
    --l.prossimo_cartello;
    return Esito::avanti;
}

// Every keyword test of the feature part on the field in `riga`, in order,
// each independent of the others.
Esito parole_caratteristiche(LetturaLinea& l) {
    const std::string riga = l.modello.riga;
    Esito esito = Esito::avanti;
    const auto prova = [&esito, &l](bool trovata, Esito (*leggi)(LetturaLinea&)) {
        if (esito == Esito::avanti && trovata) {
            esito = leggi(l);
        }
    };
    prova(contiene(riga, "pendenza"), leggi_pendenza);
    prova(l.modello.con_tracciato != 0 && contiene(riga, "curva"), leggi_curva);
    prova(contiene(riga, "montagna"), leggi_montagna);
    prova(contiene(riga, "indicatori_v"), leggi_indicatori);
    prova(contiene(riga, "cartello") && contiene(riga, "indicat"), leggi_cartello);
    return esito;
}

// False when an error ended the reading; true at the end of the file or
// after a position out of range.
bool leggi_caratteristiche(LetturaLinea& l) {
    Modello& m = l.modello;
    m.n_montagne = 0;
    if (m.con_tracciato != 0) {
        m.tracciato.push_back({int16_t{0}, int16_t{0}});
        m.tracciato.push_back({int16_t{0}, int16_t{1}});
    }
    while (campo_chiave(l.campi, m.riga)) {
        switch (parole_caratteristiche(l)) {
            case Esito::avanti:
                break;
            case Esito::fine_parte:
                return true;
            case Esito::interrotta:
                return false;
        }
    }
    return true;
}

// The end of the line part: the file deleted, the last gradient carried on
// to the cells before the last three, the plan straight on to its end.
void chiudi_linea(LetturaLinea& l) {
    l.cartella.remove(l.nome);
    const uint8_t valore = byte_basso(int64_t{l.pendenza_corrente} + 100);
    riempi_celle(l.modello.celle, l.riempimento_pendenza, l.ultima() - 2, l.ultima() + 1,
                 [valore](Cella& cella) { cella.pendenza = valore; });
    if (l.modello.con_tracciato != 0) {
        const int32_t ultimo = ultimo_metro_posato(l);
        if (l.metro_corrente <= ultimo) {
            posa_metri(l.modello.tracciato, ultimo, false, 0.0);
            l.metro_corrente = ultimo + 1;
        }
    }
}

// Finds the general section; false when the file has none.
bool cerca_generale(LetturaLinea& l) {
    do {
        l.modello.riga = l.campi.testo();
        if (l.campi.fine()) {
            l.interrompi(codice::generale_mancante);
            return false;
        }
    } while (!contiene(l.modello.riga, "[generale]"));
    return true;
}

// The line description from its general section on; false when an error
// ended the reading.
bool leggi_linea(LetturaLinea& l) {
    if (!cerca_generale(l) || !leggi_generale(l)) {
        return false;
    }
    if (l.modello.celle.empty()) {
        throw ErroreLettura("the line description gives no length");
    }
    progressive_ordina(l.modello);
    if (!leggi_caratteristiche(l)) {
        return false;
    }
    chiudi_linea(l);
    return true;
}

}  // namespace

void progressive_ordina(Modello& modello) {
    using Terna = std::array<int32_t, 3>;
    auto& tabella = modello.tabella;
    const auto terna = [&tabella](int voce) {
        const Voce& v = tabella[static_cast<std::size_t>(voce)];
        return Terna{v.inizio, v.fine, v.posizione};
    };
    const Terna t = terna(voce::progressiva_1);  // as read: "tre"
    const Terna d = terna(voce::progressiva_2);  // "due"
    const Terna u = terna(voce::progressiva_3);  // "uno"
    const int32_t at = t[0];
    const int32_t ad = d[0];
    const int32_t au = u[0];

    std::array<Terna, 3> r{};
    if (int64_t{at} + ad + au == 0) {
        // No starting chainage: the reference with a positive second value
        // comes first, the last such one in the order "tre", "due", "uno".
        if (t[1] > 0) {
            r = {t, d, u};
        }
        if (d[1] > 0) {
            r = {d, t, u};
        }
        if (u[1] > 0) {
            r = {u, d, t};
        }
    } else if (at > ad && at > au) {
        r = ad > au ? std::array{t, d, u} : std::array{t, u, d};
    } else if (ad > at && ad > au) {
        r = at > au ? std::array{d, t, u} : std::array{d, u, t};
    } else if (au > at && au > ad) {
        r = at > ad ? std::array{u, t, d} : std::array{u, d, t};
    }
    // A shared largest first value leaves all three cleared.

    for (int i = 0; i < 3; ++i) {
        Voce& v = tabella[static_cast<std::size_t>(voce::progressiva_1 + i)];
        const Terna& ri = r[static_cast<std::size_t>(i)];
        v.inizio = ri[0];
        v.fine = ri[1];
        v.posizione = ri[2];
        if (v.posizione == 1) {
            v.fine = in_32_bit(int64_t{v.fine} + 100);
        }
    }
}

void memo_montagna(Modello& modello, int32_t inizio, int32_t fine, int32_t& tipo) {
    bool con_marche = false;
    if (tipo > 10) {
        tipo -= 10;
        con_marche = true;
    }
    if (modello.n_montagne >= massimo_montagne) {
        throw ErroreLettura("more than " + std::to_string(massimo_montagne) +
                            " \"montagna\" stretches");
    }
    ++modello.n_montagne;
    const auto n = static_cast<std::size_t>(modello.n_montagne);
    modello.montagna_inizio[n] = inizio;
    modello.montagna_fine[n] = fine;
    // A stretch that starts close to the end of the one before it joins it.
    if (n > 1 && int64_t{inizio} - modello.montagna_fine[n - 1] <= 150) {
        tipo = 3;
    }
    int32_t conta = 0;
    for (int32_t i = cella_tratto(inizio); i <= cella_stazione(fine); ++i) {
        Cella& cella = modello.celle.at(static_cast<std::size_t>(i));
        ++conta;
        cella.montagna = byte_basso(tipo);
        if (con_marche && conta % 4 == 0 && cella.tipo == tipo_cella::vuota) {
            cella.tipo = tipo_cella::marca_montagna;
        }
    }
}

void memo_indicatori_v_max(Modello& modello, int32_t posizione, int32_t vas, int32_t vbs,
                           int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced) {
    Cella& cella = modello.celle.at(static_cast<std::size_t>(cella_punto(posizione)));
    if (!cella_libera(cella)) {
        registra_errore(modello, codice::indicatori_occupati, posizione);
        return;
    }
    // Left speed times 20 plus right speed over 5, for each of the three pairs.
    const auto coppia = [](int32_t sinistra, int32_t destra) {
        return in_16_bit(nearest(destra / 5.0 + sinistra * 20.0));
    };
    cella.tipo = tipo_cella::indicatori_v_max;
    cella.dato1 = coppia(vas, vad);
    cella.dato2 = coppia(vbs, vbd);
    cella.dato3 = coppia(vcs, vcd);
    cella.dato4 = static_cast<int16_t>((int64_t{strisces} * 10 + strisced) & 0xFFFF);
}

bool memorizza_linea(Modello& modello, platform::Folder& cartella, int32_t& prossimo_cartello) {
    modello.tabella[voce::sfondi].nome = modello.linea;
    modello.tabella[voce::ripetizione].nome = modello.treno;
    const std::string nome = nome_descrizione_linea({modello.linea, modello.treno});
    modello.sorgente = {nome, 0};
    if (!cartella.exists(nome)) {
        registra_errore(modello, codice::linea_mancante);
        return false;
    }
    LetturaLinea l{{modello, cartella, nome, apri_descrizione(modello, cartella, nome)}};
    try {
        const bool letta = leggi_linea(l);
        completa_piano(l);
        if (letta) {
            prossimo_cartello = l.prossimo_cartello;
        }
        return letta;
    } catch (...) {
        completa_piano(l);
        throw;
    }
}

}  // namespace scenario
