#include "benchmarks/generated_line.h"

#include <array>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "compiler/track_model.h"
#include "description/line_table.h"
#include "description/scenario_content.h"

namespace scenario::banco {

namespace {

// A curve in every kilometre, from 100 m into it over 800 m: 80% of the line
// is curved. The classes take turns, each to the right and to the left.
constexpr int32_t passo_curve = 1000;
constexpr int32_t inizio_curva = 100;
constexpr int32_t lunghezza_curva = 800;
constexpr int32_t classi_curva = 6;

constexpr int32_t passo_pendenze = 500;
constexpr std::array<int32_t, 8> pendenze{0, 5, -4, 12, -10, 3, 25, -20};

// With no signboard the table keeps entries 1 to 78 for stations; one more
// would be refused with code 10, so the stations stop there.
constexpr int32_t passo_stazioni = 1000;
constexpr int32_t zona_stazione = 200;
constexpr int32_t stazioni_massime = 78;

constexpr int32_t passo_rallentamenti = 5000;
constexpr int32_t primo_rallentamento = 2500;
constexpr int32_t lunghezza_rallentamento = 1000;
constexpr int32_t anticipo_avviso = 1200;

constexpr int32_t passo_segnali = 600;

// An object that would land on a taken cell moves on by one cell at a time,
// a few times at most.
constexpr int32_t spostamento = 50;
constexpr int32_t spostamenti_massimi = 10;

// The cells already claimed by a station stop, a slowdown or a signal, by the
// same index rules the compiler applies.
class CellePrese {
public:
    explicit CellePrese(int32_t metri)
        : prese_(static_cast<std::size_t>(ultima_cella_per(metri)) + 1, false) {}

    bool libere(std::initializer_list<int32_t> celle) const {
        for (const int32_t i : celle) {
            if (i < 0 || i >= static_cast<int32_t>(prese_.size()) ||
                prese_[static_cast<std::size_t>(i)]) {
                return false;
            }
        }
        return true;
    }
    void prendi(std::initializer_list<int32_t> celle) {
        for (const int32_t i : celle) {
            prese_[static_cast<std::size_t>(i)] = true;
        }
    }

private:
    std::vector<bool> prese_;
};

std::string numero(int32_t valore) {
    return std::to_string(valore);
}

std::string testo(const std::vector<std::string>& righe) {
    std::vector<std::string_view> tabella(righe.begin(), righe.end());
    tabella.push_back(fine_del_file);
    return testo_righe(tabella);
}

// The scenario's own lines up to the first that contains `fino_a`, which is
// left out.
std::vector<std::string> righe_dello_scenario(std::span<const std::string_view> righe,
                                              std::string_view fino_a) {
    std::vector<std::string> copia;
    for (const std::string_view riga : righe) {
        if (riga.find(fino_a) != std::string_view::npos) {
            break;
        }
        copia.emplace_back(riga);
    }
    return copia;
}

std::string descrizione_linea(int32_t metri, LineaGenerata& g) {
    // The scenario's general section with this line's length.
    std::vector<std::string> righe = righe_dello_scenario(contenuto_linea(), "[curve]");
    for (std::string& riga : righe) {
        if (riga.starts_with("lunghezza percorso")) {
            riga = "lunghezza percorso,    " + numero(metri);
        }
    }
    righe.emplace_back("[curve]");
    for (int32_t j = 0; j * passo_curve + inizio_curva + lunghezza_curva <= metri; ++j) {
        const std::string verso = j % 2 == 0 ? "curvad" : "curvas";
        const int32_t classe = (j / 2) % classi_curva + 1;
        righe.push_back(verso + numero(classe) + ",  " + numero(j * passo_curve + inizio_curva) +
                        ",  " + numero(lunghezza_curva));
        ++g.curve;
    }
    righe.emplace_back("[pendenze]");
    for (int32_t p = 0; p <= metri; p += passo_pendenze) {
        const auto pendenza = pendenze[static_cast<std::size_t>(g.pendenze) % pendenze.size()];
        righe.push_back("pendenza,  " + numero(p) + ",   " + numero(pendenza));
        ++g.pendenze;
    }
    for (const char* sezione : {"[montagne]", "[cartelli]", "[indicazioni]", "[fine]"}) {
        righe.emplace_back(sezione);
    }
    return testo(righe);
}

void aggiungi_stazioni(int32_t metri, CellePrese& prese, std::vector<std::string>& righe,
                       LineaGenerata& g) {
    righe.emplace_back("[stazioni]");
    for (int32_t k = 1; k <= stazioni_massime && k * passo_stazioni <= metri; ++k) {
        const int32_t posizione = k * passo_stazioni;
        // Type 24: a stop cell at the zone's end and approach marks before it.
        const int32_t fermata = cella_stazione(posizione + zona_stazione / 2);
        if (!prese.libere({fermata})) {
            throw std::logic_error("station stop cell taken at " + numero(posizione));
        }
        prese.prendi({fermata});
        righe.push_back("stazione,  " + numero(posizione) + ", 24,  " + numero(zona_stazione) +
                        ",  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FERMATA " + numero(k));
        ++g.stazioni;
    }
}

void aggiungi_rallentamenti(int32_t metri, CellePrese& prese, std::vector<std::string>& righe,
                            LineaGenerata& g) {
    righe.emplace_back("[rallentamenti]");
    for (int32_t x0 = primo_rallentamento; x0 + lunghezza_rallentamento <= metri;
         x0 += passo_rallentamenti) {
        for (int32_t x = x0; x < x0 + spostamenti_massimi * spostamento; x += spostamento) {
            // Warning board, its four approach cells, start and end.
            const int32_t avviso = cella_punto(x - anticipo_avviso);
            const int32_t p = cella_tratto(x - anticipo_avviso);
            const int32_t inizio = cella_punto(x);
            const int32_t fine = cella_punto(x + lunghezza_rallentamento);
            const auto celle = {avviso, p, p - 1, p - 2, p - 3, inizio, fine};
            if (prese.libere(celle)) {
                prese.prendi(celle);
                righe.push_back("rallentamento,  " + numero(x) + ",    60,  " +
                                numero(lunghezza_rallentamento) + ", 1,  1,  60");
                ++g.rallentamenti;
                break;
            }
        }
    }
}

void aggiungi_segnali(int32_t metri, CellePrese& prese, std::vector<std::string>& righe,
                      LineaGenerata& g) {
    righe.emplace_back("[segnali]");
    for (int32_t s0 = passo_segnali; s0 <= metri; s0 += passo_segnali) {
        for (int32_t s = s0; s < s0 + spostamenti_massimi * spostamento; s += spostamento) {
            // The two cells before a signal stay free for its code change.
            const int32_t i = cella_punto(s);
            if (prese.libere({i, i - 1, i - 2})) {
                prese.prendi({i});
                righe.push_back("segnale,  " + numero(s) + ",   2, 4, 0,  0, 0,    2,  2,0,0, 0");
                ++g.segnali;
                break;
            }
        }
    }
}

std::string descrizione_treno(int32_t metri, LineaGenerata& g) {
    // The scenario's train settings, adhesion and speed limits.
    std::vector<std::string> righe = righe_dello_scenario(contenuto_treno(), "[stazioni]");
    // Stations first, then slowdowns, then signals, the order in which the
    // reader claims their cells.
    CellePrese prese(metri);
    aggiungi_stazioni(metri, prese, righe, g);
    aggiungi_rallentamenti(metri, prese, righe, g);
    aggiungi_segnali(metri, prese, righe, g);
    righe.emplace_back("[codici]");
    righe.emplace_back("[fine]");
    return testo(righe);
}

}  // namespace

LineaGenerata genera_linea(int32_t metri) {
    if (metri < 2000 || metri > lunghezza_massima) {
        throw std::invalid_argument("no generated line of " + numero(metri) + " m");
    }
    LineaGenerata g;
    g.metri = metri;
    g.linea = descrizione_linea(metri, g);
    g.treno = descrizione_treno(metri, g);
    return g;
}

}  // namespace scenario::banco
