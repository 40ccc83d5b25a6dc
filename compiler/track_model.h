#pragma once
// The compiler's whole picture of one scenario: the 50-metre cells, the
// table of stations, signboards and settings, the line plan, and the error
// report. One `Modello` belongs to one run and is handed down to every stage;
// nothing of it lives in global state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "compiler/byte_order.h"

namespace scenario {

// What lies on 50 metres of line. Field order and widths are those of the
// compiled cell file.
struct Cella {
    uint8_t tipo = 0;
    int16_t dato1 = 0;
    int16_t dato2 = 0;
    int16_t dato3 = 0;
    int16_t dato4 = 0;
    uint8_t tempo = 0;
    uint8_t preavviso = 0;
    uint8_t montagna = 0;
    uint8_t velocita = 0;
    uint8_t pendenza = 0;
    uint8_t aderenza = 0;

    bool operator==(const Cella&) const = default;
};

// Cell types (`tipo`).
namespace tipo_cella {
inline constexpr uint8_t vuota = 0;
inline constexpr uint8_t segnale = 1;
inline constexpr uint8_t fine_rallentamento = 2;
inline constexpr uint8_t inizio_rallentamento = 3;
inline constexpr uint8_t avviso_rallentamento = 4;
inline constexpr uint8_t preavviso_rallentamento = 5;
inline constexpr uint8_t indicatori_v_max = 6;
inline constexpr uint8_t fermata = 10;
inline constexpr uint8_t marca_montagna = 11;
inline constexpr uint8_t cambio_codice = 12;
inline constexpr uint8_t taglio_codice = 13;
inline constexpr uint8_t cartello = 14;
}  // namespace tipo_cella

// One entry of `tabella`, in the order and widths of the compiled table file.
struct Voce {
    uint8_t tipo = 0;
    int32_t inizio = 0;
    int32_t fine = 0;
    int32_t posizione = 0;
    uint8_t attributo = 0;
    std::string nome;
    int16_t valore1 = 0;
    int16_t valore2 = 0;
    int16_t valore3 = 0;
    int16_t valore4 = 0;
    int16_t valore5 = 0;
    uint8_t opzione1 = 0;
    uint8_t opzione2 = 0;
    uint8_t opzione3 = 0;
    uint8_t opzione4 = 0;
    int32_t orario = 0;

    bool operator==(const Voce&) const = default;
};

// Entries of `tabella` with a fixed use.
namespace voce {
inline constexpr int prima_stazione = 1;
inline constexpr int primo_cartello = 80;  // signboards go downwards from here
inline constexpr int progressiva_1 = 81;   // chainage references, reordered
inline constexpr int progressiva_2 = 82;
inline constexpr int progressiva_3 = 83;
inline constexpr int treno_e_linea = 84;   // braked mass, line length, cars
inline constexpr int sfondi = 85;          // backgrounds, line name, markers
inline constexpr int ripetizione = 86;     // cab-signal repetition, train settings
inline constexpr int numero = 87;
}  // namespace voce

// One coordinate of one metre of the plan: never laid, a fixed integer
// starting point, or a computed value. The kind travels into the plan file.
using ValorePiano = std::variant<std::monostate, int16_t, double>;
// Coordinate 0 runs across the line (positive to the right), coordinate 1
// along its starting direction.
using MetroPiano = std::array<ValorePiano, 2>;

// The 16-bit tags that tell the kinds apart in the plan file.
namespace etichetta {
inline constexpr uint16_t vuoto = 0;
inline constexpr uint16_t intero = 2;  // a signed 16-bit integer follows
inline constexpr uint16_t reale = 5;   // an IEEE 754 double follows
}  // namespace etichetta

// The plan, metre by metre, held as two columns, one per coordinate, as the
// plan file lists them. Every value of a column has a slot of 10 bytes and
// holds in it exactly the bytes the file gives it: its tag, then its number,
// little-endian; an integer or an empty value, shorter, leaves the rest of
// its slot zero. A run of computed values, nearly the whole of any plan the
// line reader lays, is thus already the file's own bytes: the writer copies
// it as it stands, with nothing to encode. Each column also keeps the
// stretches of its other values, so that nobody has to look for them.
class Tracciato {
public:
    // The longest value of the plan file: a tag and a double.
    static constexpr std::size_t byte_per_posto = sizeof(uint16_t) + sizeof(double);

    // Values from `inizio` up to, not including, `fine`.
    struct Tratto {
        std::size_t inizio = 0;
        std::size_t fine = 0;
    };

    class Colonna {
    public:
        Colonna() = default;
        Colonna(const Colonna& altra);
        Colonna& operator=(const Colonna& altra);
        Colonna(Colonna&& altra) noexcept;
        Colonna& operator=(Colonna&& altra) noexcept;
        ~Colonna() = default;

        std::size_t size() const noexcept { return size_; }
        void reserve(std::size_t valori);
        void clear() noexcept;
        // Values added at the end are empty.
        void resize(std::size_t valori);

        // A computed value put at the end: the line reader's, a million
        // times over on the longest line.
        void metti_reale(double numero) {
            scrivi(scrivi(posto_nuovo(), etichetta::reale), numero);
            ++size_;
        }
        void metti(const ValorePiano& valore);

        // The value, or its number (0 when empty); std::out_of_range past the end.
        ValorePiano valore(std::size_t indice) const;
        double numero(std::size_t indice) const;
        // The bytes the plan file gives one value: 2, 4 or 10.
        std::string_view nel_file(std::size_t indice) const;
        // The slots of the values from `inizio` to `fine`: the file's bytes
        // when all of them are computed values.
        std::string_view posti(std::size_t inizio, std::size_t fine) const;
        // The stretches of values that are not computed ones, in order.
        const std::vector<Tratto>& altri() const noexcept { return altri_; }

        // Moves the values from `indice` on into a column of their own.
        Colonna separa(std::size_t indice);

        bool operator==(const Colonna& altra) const;

    private:
        char* posto_nuovo() {
            if (size_ == capacita_) {
                cresci(size_ + 1);
            }
            return byte_.get() + size_ * byte_per_posto;
        }
        void cresci(std::size_t almeno);
        const char* posto(std::size_t indice) const;
        // One value that is not a computed one put at the end.
        void metti_altro(uint16_t tag, int16_t intero);

        std::unique_ptr<char[]> byte_;
        std::size_t size_ = 0;
        std::size_t capacita_ = 0;
        std::vector<Tratto> altri_;
    };

    Tracciato() = default;
    // A plan from its two columns, which must be as long as each other.
    Tracciato(Colonna coordinata0, Colonna coordinata1);

    std::size_t size() const noexcept { return colonne_[0].size(); }
    bool empty() const noexcept { return size() == 0; }
    void reserve(std::size_t metri);
    void clear() noexcept;
    // Metres added at the end are empty.
    void resize(std::size_t metri);
    void push_back(const MetroPiano& metro);
    // A metre laid by the line reader: two computed values.
    void posa(double x, double y) {
        colonne_[0].metti_reale(x);
        colonne_[1].metti_reale(y);
    }

    const Colonna& colonna(std::size_t coordinata) const { return colonne_.at(coordinata); }
    // The number a value stands for, 0 when empty.
    double numero(std::size_t metro, std::size_t coordinata) const {
        return colonne_.at(coordinata).numero(metro);
    }
    ValorePiano valore(std::size_t metro, std::size_t coordinata) const {
        return colonne_.at(coordinata).valore(metro);
    }
    MetroPiano operator[](std::size_t metro) const { return {valore(metro, 0), valore(metro, 1)}; }

    bool operator==(const Tracciato&) const = default;

private:
    std::array<Colonna, 2> colonne_;
};

// One error as it was recorded: its code, its position in metres when it has
// one, and where the readers stood: the description file and the line of the
// field last read there (no file and line 0 outside the readers).
struct Segnalazione {
    int32_t codice = 0;
    std::optional<int32_t> posizione;
    std::string file;
    int32_t riga = 0;

    bool operator==(const Segnalazione&) const = default;
};

// The description file being read and the line (from 1) of its field last
// read; the field reader keeps it up to date.
struct Sorgente {
    std::string file;
    int32_t riga = 0;
};

inline constexpr int32_t lunghezza_massima = 1000000;
inline constexpr int32_t massimo_montagne = 80;

struct Modello {
    std::string linea;
    std::string treno;
    std::string riga;  // the input field last read

    std::vector<Cella> celle;                 // cells 0 to N; empty until the length is read
    std::array<Voce, voce::numero> tabella{};
    Tracciato tracciato;                      // metres 0 to L + 7000, when asked for

    std::array<int32_t, massimo_montagne + 1> montagna_inizio{};
    std::array<int32_t, massimo_montagne + 1> montagna_fine{};
    int32_t n_montagne = 0;

    int32_t con_tracciato = 0;
    int32_t codice_errore = 0;
    int32_t posizione_errore = 0;
    // Every error recorded in this run, in order: the last is `codice_errore`.
    std::vector<Segnalazione> segnalazioni;
    Sorgente sorgente;

    // N, the last cell index; only meaningful once the cells exist.
    int32_t ultima_cella() const { return static_cast<int32_t>(celle.size()) - 1; }
};

// Error codes recorded in `codice_errore`.
namespace codice {
inline constexpr int32_t nessuno = 0;
inline constexpr int32_t lunghezza_eccessiva = 1;
inline constexpr int32_t progressiva_non_multipla = 2;
inline constexpr int32_t ripetizione_inizio_non_multipla = 3;
inline constexpr int32_t ripetizione_fine_non_multipla = 4;
inline constexpr int32_t ripetizione_senza_codici = 5;
inline constexpr int32_t cartello_occupato = 6;
inline constexpr int32_t abbattimento_occupato = 7;
inline constexpr int32_t stazione_non_multipla = 8;
inline constexpr int32_t zona_non_multipla = 9;
inline constexpr int32_t troppe_stazioni = 10;
inline constexpr int32_t segnale_senza_cambio = 11;
inline constexpr int32_t finestra_senza_cambio = 12;
inline constexpr int32_t rallentamento_senza_cambio = 13;
inline constexpr int32_t fuori_linea = 15;
inline constexpr int32_t segnale_occupato = 16;
inline constexpr int32_t avviso_occupato = 17;
inline constexpr int32_t inizio_occupato = 18;
inline constexpr int32_t fine_occupata = 19;
inline constexpr int32_t preavviso_occupato = 20;
inline constexpr int32_t indicatori_occupati = 21;
inline constexpr int32_t stazioni_vicine = 22;
inline constexpr int32_t stazione_all_origine = 24;
inline constexpr int32_t lettura_fallita = 25;
inline constexpr int32_t linea_mancante = 101;
inline constexpr int32_t generale_mancante = 102;
inline constexpr int32_t curva_non_valida = 103;

// Every code above, "nessuno" included: whatever the descriptions hold, the
// compiler ends with one of these.
inline constexpr std::array<int32_t, 27> tutti{
    nessuno, lunghezza_eccessiva, progressiva_non_multipla, ripetizione_inizio_non_multipla,
    ripetizione_fine_non_multipla, ripetizione_senza_codici, cartello_occupato,
    abbattimento_occupato, stazione_non_multipla, zona_non_multipla, troppe_stazioni,
    segnale_senza_cambio, finestra_senza_cambio, rallentamento_senza_cambio, fuori_linea,
    segnale_occupato, avviso_occupato, inizio_occupato, fine_occupata, preavviso_occupato,
    indicatori_occupati, stazioni_vicine, stazione_all_origine, lettura_fallita, linea_mancante,
    generale_mancante, curva_non_valida};
}  // namespace codice

// Records an error: `codice_errore` and `posizione_errore` as the run keeps
// them, and one more entry in `segnalazioni` naming the current source. The
// variant without a position leaves `posizione_errore` as it was.
void registra_errore(Modello& modello, int32_t codice, int32_t posizione);
void registra_errore(Modello& modello, int32_t codice);

// The real number rounded to the nearest whole number, a half going to the
// even neighbour (2.5 gives 2, 3.5 gives 4).
double nearest(double r);

// Metres to cell index. Every position is divided by 50 in floating point.
int32_t cella_tratto(int32_t inizio);     // a stretch starting at `inizio` begins here
int32_t cella_punto(int32_t posizione);   // signals, boards, slowdown cells
int32_t cella_stazione(int32_t fine);     // the stop cell of a station zone ending at `fine`

// N for a line of `lunghezza` metres.
int32_t ultima_cella_per(int32_t lunghezza);

// A line at `posizione` is accepted when (posizione + margine) / 50 <= N;
// the margin is 100 m, 800 m for stations.
inline constexpr int32_t margine_linea = 100;
inline constexpr int32_t margine_stazione = 800;
bool entro_linea(int32_t posizione, int32_t ultima, int32_t margine = margine_linea);

// A cell takes a new object when nothing but a "montagna" marker is on it.
bool cella_libera(const Cella& cella);

// Cells 0 to N exist; any other index names no cell and must not be touched.
inline bool cella_esiste(const Modello& modello, int32_t indice) {
    return indice >= 0 && indice <= modello.ultima_cella();
}

}  // namespace scenario
