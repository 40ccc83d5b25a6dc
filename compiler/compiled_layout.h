#pragma once
// The byte layout of the compiled files, declared once so that the writer and
// any reader of the files walk the same lists of fields. A record is its
// fields in the order listed, with no padding; every number is little-endian
// with the width of its model field, a text is its 16-bit length followed by
// its bytes, and a plan value is a 16-bit tag followed by the value.

#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <variant>

#include "compiler/track_model.h"

namespace scenario::compilato {

// One record of the cell file per cell, 0 to N.
inline constexpr auto campi_cella =
    std::tuple{&Cella::tipo,  &Cella::dato1,     &Cella::dato2,    &Cella::dato3,
               &Cella::dato4, &Cella::tempo,     &Cella::preavviso, &Cella::montagna,
               &Cella::velocita, &Cella::pendenza, &Cella::aderenza};

// One record of the table file per entry, 0 to 86.
inline constexpr auto campi_voce =
    std::tuple{&Voce::tipo,     &Voce::inizio,   &Voce::fine,     &Voce::posizione,
               &Voce::attributo, &Voce::nome,    &Voce::valore1,  &Voce::valore2,
               &Voce::valore3,  &Voce::valore4,  &Voce::valore5,  &Voce::opzione1,
               &Voce::opzione2, &Voce::opzione3, &Voce::opzione4, &Voce::orario};

// Tags of the plan values.
namespace etichetta {
inline constexpr uint16_t vuoto = 0;
inline constexpr uint16_t intero = 2;  // a signed 16-bit integer follows
inline constexpr uint16_t reale = 5;   // an IEEE 754 double follows
}  // namespace etichetta

// Writing. `scrivi` puts one value at `dove`, which has room for it, and
// returns the place just after it; each `metti` appends one value to `byte`.
template <std::integral T>
char* scrivi(char* dove, T valore) {
    using Bits = std::make_unsigned_t<T>;
    const auto bits = static_cast<Bits>(valore);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        dove[i] = static_cast<char>(static_cast<uint8_t>(bits >> (8 * i)));
    }
    return dove + sizeof(T);
}

inline char* scrivi(char* dove, double valore) {
    return scrivi(dove, std::bit_cast<uint64_t>(valore));
}

// A plan value: its tag, then the value. Inline, like the room it takes:
// the plan file holds two of them for every metre of line.
inline char* scrivi(char* dove, const ValorePiano& valore) {
    if (const auto* intero = std::get_if<int16_t>(&valore)) {
        return scrivi(scrivi(dove, etichetta::intero), *intero);
    }
    if (const auto* reale = std::get_if<double>(&valore)) {
        return scrivi(scrivi(dove, etichetta::reale), *reale);
    }
    return scrivi(dove, etichetta::vuoto);
}

inline std::size_t byte_di(const ValorePiano& valore) {
    if (std::holds_alternative<int16_t>(valore)) {
        return sizeof(uint16_t) + sizeof(int16_t);
    }
    if (std::holds_alternative<double>(valore)) {
        return sizeof(uint16_t) + sizeof(double);
    }
    return sizeof(uint16_t);
}

template <std::integral T>
void metti(std::string& byte, T valore) {
    std::array<char, sizeof(T)> pezzo{};
    scrivi(pezzo.data(), valore);
    byte.append(pezzo.data(), pezzo.size());
}

// A text longer than its 16-bit length can say cannot be written.
void metti(std::string& byte, const std::string& testo);

template <typename Record, typename Campi>
void metti_record(std::string& byte, const Record& record, const Campi& campi) {
    std::apply([&](auto... campo) { (metti(byte, record.*campo), ...); }, campi);
}

// Reading: each `prendi` takes one value from where the last one ended; a
// file that ends inside a value is a std::out_of_range.
struct Lettore {
    std::string_view byte;
    std::size_t posizione = 0;

    bool finito() const { return posizione == byte.size(); }
    std::string_view avanza(std::size_t quanti);
};

template <std::integral T>
void prendi(Lettore& lettore, T& valore) {
    const std::string_view pezzo = lettore.avanza(sizeof(T));
    uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |= uint64_t{static_cast<uint8_t>(pezzo[i])} << (8 * i);
    }
    valore = static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
}

void prendi(Lettore& lettore, double& valore);
void prendi(Lettore& lettore, std::string& testo);
// An unknown tag is a std::invalid_argument.
void prendi(Lettore& lettore, ValorePiano& valore);

template <typename Record, typename Campi>
void prendi_record(Lettore& lettore, Record& record, const Campi& campi) {
    std::apply([&](auto... campo) { (prendi(lettore, record.*campo), ...); }, campi);
}

// Bytes of one cell record.
inline constexpr std::size_t byte_per_cella = std::apply(
    [](auto... campo) { return (sizeof(Cella{}.*campo) + ...); }, campi_cella);
static_assert(byte_per_cella == 15);

}  // namespace scenario::compilato
