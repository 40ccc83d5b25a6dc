#include "compiler/track_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
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

// ---- the plan's columns ----------------------------------------------------------

Tracciato::Colonna::Colonna(const Colonna& altra) : altri_(altra.altri_) {
    reserve(altra.size_);
    if (altra.size_ > 0) {
        std::memcpy(byte_.get(), altra.byte_.get(), altra.size_ * byte_per_posto);
    }
    size_ = altra.size_;
}

Tracciato::Colonna& Tracciato::Colonna::operator=(const Colonna& altra) {
    if (this != &altra) {
        Colonna copia(altra);
        *this = std::move(copia);
    }
    return *this;
}

Tracciato::Colonna::Colonna(Colonna&& altra) noexcept
    : byte_(std::move(altra.byte_)),
      size_(std::exchange(altra.size_, 0)),
      capacita_(std::exchange(altra.capacita_, 0)),
      altri_(std::move(altra.altri_)) {
    altra.altri_.clear();
}

Tracciato::Colonna& Tracciato::Colonna::operator=(Colonna&& altra) noexcept {
    byte_ = std::move(altra.byte_);
    size_ = std::exchange(altra.size_, 0);
    capacita_ = std::exchange(altra.capacita_, 0);
    altri_ = std::move(altra.altri_);
    altra.altri_.clear();
    return *this;
}

void Tracciato::Colonna::reserve(std::size_t valori) {
    if (valori > capacita_) {
        // Slots are filled as values are put in; none is read before.
        std::unique_ptr<char[]> nuovi(new char[valori * byte_per_posto]);
        if (size_ > 0) {
            std::memcpy(nuovi.get(), byte_.get(), size_ * byte_per_posto);
        }
        byte_ = std::move(nuovi);
        capacita_ = valori;
    }
}

void Tracciato::Colonna::cresci(std::size_t almeno) {
    reserve(std::max(almeno, 2 * capacita_));
}

void Tracciato::Colonna::clear() noexcept {
    size_ = 0;
    altri_.clear();
}

void Tracciato::Colonna::metti_altro(uint16_t tag, int16_t intero) {
    char* dove = posto_nuovo();
    std::memset(dove, 0, byte_per_posto);
    scrivi(dove, tag);
    if (tag == etichetta::intero) {
        scrivi(dove + sizeof(uint16_t), intero);
    }
    if (!altri_.empty() && altri_.back().fine == size_) {
        ++altri_.back().fine;
    } else {
        altri_.push_back({size_, size_ + 1});
    }
    ++size_;
}

void Tracciato::Colonna::resize(std::size_t valori) {
    if (valori < size_) {
        size_ = valori;
        while (!altri_.empty() && altri_.back().inizio >= size_) {
            altri_.pop_back();
        }
        if (!altri_.empty()) {
            altri_.back().fine = std::min(altri_.back().fine, size_);
        }
        return;
    }
    reserve(valori);
    while (size_ < valori) {
        metti_altro(etichetta::vuoto, 0);
    }
}

void Tracciato::Colonna::metti(const ValorePiano& valore) {
    if (const auto* numero_intero = std::get_if<int16_t>(&valore)) {
        metti_altro(etichetta::intero, *numero_intero);
    } else if (const auto* numero_reale = std::get_if<double>(&valore)) {
        metti_reale(*numero_reale);
    } else {
        metti_altro(etichetta::vuoto, 0);
    }
}

const char* Tracciato::Colonna::posto(std::size_t indice) const {
    if (indice >= size_) {
        throw std::out_of_range("no value " + std::to_string(indice) + " in a column of " +
                                std::to_string(size_));
    }
    return byte_.get() + indice * byte_per_posto;
}

ValorePiano Tracciato::Colonna::valore(std::size_t indice) const {
    const char* dove = posto(indice);
    switch (leggi<uint16_t>(dove)) {
    case etichetta::intero:
        return leggi<int16_t>(dove + sizeof(uint16_t));
    case etichetta::reale:
        return leggi_reale(dove + sizeof(uint16_t));
    default:
        return std::monostate{};
    }
}

double Tracciato::Colonna::numero(std::size_t indice) const {
    const ValorePiano v = valore(indice);
    if (const auto* intero = std::get_if<int16_t>(&v)) {
        return *intero;
    }
    if (const auto* reale = std::get_if<double>(&v)) {
        return *reale;
    }
    return 0.0;
}

std::string_view Tracciato::Colonna::nel_file(std::size_t indice) const {
    const char* dove = posto(indice);
    switch (leggi<uint16_t>(dove)) {
    case etichetta::intero:
        return {dove, sizeof(uint16_t) + sizeof(int16_t)};
    case etichetta::reale:
        return {dove, byte_per_posto};
    default:
        return {dove, sizeof(uint16_t)};
    }
}

std::string_view Tracciato::Colonna::posti(std::size_t inizio, std::size_t fine) const {
    if (inizio > fine || fine > size_) {
        throw std::out_of_range("no values " + std::to_string(inizio) + " to " +
                                std::to_string(fine) + " in a column of " + std::to_string(size_));
    }
    if (inizio == fine) {
        return {};
    }
    return {byte_.get() + inizio * byte_per_posto, (fine - inizio) * byte_per_posto};
}

Tracciato::Colonna Tracciato::Colonna::separa(std::size_t indice) {
    Colonna coda;
    if (indice >= size_) {
        return coda;
    }
    const std::size_t quanti = size_ - indice;
    coda.reserve(quanti);
    std::memcpy(coda.byte_.get(), posto(indice), quanti * byte_per_posto);
    coda.size_ = quanti;
    for (const Tratto& tratto : altri_) {
        if (tratto.fine > indice) {
            coda.altri_.push_back({std::max(tratto.inizio, indice) - indice, tratto.fine - indice});
        }
    }
    resize(indice);
    return coda;
}

bool Tracciato::Colonna::operator==(const Colonna& altra) const {
    // The unused end of a shorter value's slot is always zero, so equal
    // values have equal slots.
    return size_ == altra.size_ &&
           (size_ == 0 || std::memcmp(byte_.get(), altra.byte_.get(), size_ * byte_per_posto) == 0);
}

// ---- the plan -----------------------------------------------------------------------

Tracciato::Tracciato(Colonna coordinata0, Colonna coordinata1)
    : colonne_{std::move(coordinata0), std::move(coordinata1)} {
    if (colonne_[1].size() != colonne_[0].size()) {
        throw std::invalid_argument("the columns of a plan differ in length");
    }
}

void Tracciato::reserve(std::size_t metri) {
    for (Colonna& colonna : colonne_) {
        colonna.reserve(metri);
    }
}

void Tracciato::clear() noexcept {
    for (Colonna& colonna : colonne_) {
        colonna.clear();
    }
}

void Tracciato::resize(std::size_t metri) {
    for (Colonna& colonna : colonne_) {
        colonna.resize(metri);
    }
}

void Tracciato::push_back(const MetroPiano& metro) {
    colonne_[0].metti(metro[0]);
    colonne_[1].metti(metro[1]);
}

bool cella_libera(const Cella& cella) {
    return cella.tipo == tipo_cella::vuota || cella.tipo == tipo_cella::marca_montagna;
}

}  // namespace scenario
